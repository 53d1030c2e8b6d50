import QtQuick 2.15

// Proportional layout scaler. Placed as a child of the item to scale, it
// records the design geometry of the whole subtree once (begin) and lays it
// out again for a pair of ratios (resize), always from the recorded values so
// that repeated re-layouts never accumulate rounding.
//
// Items named "ingnoreAll" are left alone with their whole subtree; an item
// named "ingnoreChildren" is scaled itself but its children are not visited.
// Scrolling views keep their own scroll position and the placement of the
// pages or rows they lay out (see isViewContent).
//
// A change of horizontalRatio re-lays out: owners assign verticalRatio first
// and horizontalRatio second.
Item {
    id: scaler
    property Item targetItem: parent
    property real horizontalRatio: 1.0
    property real verticalRatio: 1.0
    property real fontRatio: 1.0
    property bool fixedAspectRatio: false
    property bool accordingToX: true
    property bool ifAutoResize: true
    property real fontSizeScaleFactor: 1.0
    readonly property string ignoreAllName: "ingnoreAll"
    readonly property string ignoreChildrenName: "ingnoreChildren"
    readonly property bool begun: priv.begun
    readonly property int recordedCount: priv.records.length

    signal resized()

    visible: false
    width: 0
    height: 0

    QtObject {
        id: priv
        property bool begun: false
        property var records: []
    }

    function hasFont(item) {
        return item.font !== undefined && item.font !== null
               && typeof item.font.pixelSize === "number"
    }

    // Flickables place their content item themselves: its position is the
    // scroll position, and assigning the recorded one would scroll the view
    // back to where it stood when the design was recorded (BANK A after a
    // change of screen while BANK B shows). Item views (the SwipeViews of the
    // banks, the tab bars' lists) also lay out the items in it (pages, tabs):
    // those get their scaled size but keep the view's placement. Everything
    // further down is scaled as usual.
    function isViewContent(item) {
        var p = item ? item.parent : null
        return p !== null && p !== undefined && p.contentItem === item
               && typeof p.contentX === "number"
    }
    function isPlacedByView(item) {
        return isViewContent(item.parent) && typeof item.parent.parent.currentIndex === "number"
    }

    // A text that takes its size from its content (no width or height of
    // its own) keeps doing so: its size follows the scaled font and whatever
    // text it shows later (another language, a version number), where a
    // recorded size would cut it or push it off centre.
    function followsContent(item, extent, implicitExtent) {
        return typeof item.effectiveHorizontalAlignment === "number" && typeof item.text === "string"
               && Math.abs(extent - implicitExtent) < 0.01
    }

    function record(item, out) {
        var name = item.objectName
        if (name === ignoreAllName)
            return
        var fontSize = (hasFont(item) && item.font.pixelSize > 0) ? item.font.pixelSize : 0
        if (!isViewContent(item)) {
            out.push({
                ownWidth: !followsContent(item, item.width, item.implicitWidth),
                ownHeight: !followsContent(item, item.height, item.implicitHeight),
                placedByView: isPlacedByView(item),
                item: item,
                objectName: name,
                x: item.x,
                y: item.y,
                centerX: item.x + item.width / 2,
                centerY: item.y + item.height / 2,
                width: item.width,
                height: item.height,
                fontPixelSize: fontSize
            })
        }
        if (name === ignoreChildrenName)
            return
        var kids = item.children
        for (var i = 0; i < kids.length; ++i)
            record(kids[i], out)
    }

    // Records the design geometry of targetItem's subtree; only the first
    // call records anything.
    function begin() {
        if (priv.begun || !targetItem)
            return
        var out = []
        var kids = targetItem.children
        for (var i = 0; i < kids.length; ++i) {
            if (kids[i] !== scaler)
                record(kids[i], out)
        }
        priv.records = out
        priv.begun = true
    }

    function resize() {
        if (!priv.begun || !ifAutoResize)
            return
        var h = horizontalRatio
        var v = verticalRatio
        if (!(isFinite(h) && h > 0 && isFinite(v) && v > 0))
            return
        fontRatio = Math.min(h, v)
        var recs = priv.records
        for (var i = 0; i < recs.length; ++i) {
            var r = recs[i]
            var item = r.item
            if (!item)
                continue     // destroyed since it was recorded
            var w, hh
            if (fixedAspectRatio) {
                w = r.width * fontRatio
                hh = r.height * fontRatio
            } else {
                w = r.width * h
                hh = r.height * v
            }
            if (r.ownWidth)
                item.width = w
            if (r.ownHeight)
                item.height = hh
            if (!r.placedByView) {
                if (accordingToX) {
                    item.x = r.x * h
                    item.y = r.y * v
                } else {
                    item.x = r.centerX * h - (r.ownWidth ? w : item.width) / 2
                    item.y = r.centerY * v - (r.ownHeight ? hh : item.height) / 2
                }
            }
            if (r.fontPixelSize > 0 && hasFont(item))
                item.font.pixelSize = Math.max(1, Math.round(r.fontPixelSize * fontRatio * fontSizeScaleFactor))
        }
        resized()
    }

    onHorizontalRatioChanged: {
        console.debug("AutoResize horizontalRatio", horizontalRatio, "verticalRatio", verticalRatio)
        resize()
    }
}
