// Layout check over an item tree as it is drawn: every visible text must stand
// clear of the other texts, fit its box, stay inside whatever clips it, not be
// crossed by a divider or straddle the edge of a picture, and contrast with
// what is behind it by at least 4.5:1 (WCAG 2 relative luminance).
//
// texts(root) gathers the drawn texts below root; problems(list, image) returns
// one line per fault found. The picture (a grab of the window) is where the
// background colour behind each text is read from.
.pragma library

// What is meant to break a rule. Each entry: the rule ("overlap", "width",
// "clip", "divider", "edge" or "contrast"), a test on the text item, and why
// it is acceptable. Nothing on screen is meant to overlap, run out of its box
// or be cut, so those rules have no entries.
var allowList = [
    // Texts of disabled controls (a greyed field, list or button) may be
    // faint: they tell that the control does nothing now, and WCAG exempts
    // inactive components from the contrast rule.
    { rule: "contrast", test: function(item) { return !item.enabled } }
]

function isText(item) {
    return item && typeof item.text === "string" && item.font !== undefined
           && typeof item.effectiveHorizontalAlignment === "number"
           && typeof item.contentWidth === "number"
}

function isTextInput(item) {
    return isText(item) && typeof item.cursorPosition === "number" && typeof item.lineCount !== "number"
}

function className(item) {
    var s = String(item)
    var i = s.indexOf("(")
    return i > 0 ? s.substring(0, i) : s
}

// A readable path of object names and class names, for the messages.
function describe(item) {
    var parts = []
    for (var p = item; p && parts.length < 5; p = p.parent) {
        var n = p.objectName ? p.objectName : className(p).replace(/_QMLTYPE_\d+|_QML_\d+/, "")
        parts.unshift(n)
    }
    return parts.join("/") + " \"" + item.text + "\""
}

function effectiveOpacity(item) {
    var o = 1
    for (var p = item; p; p = p.parent)
        o *= p.opacity
    return o
}

function sceneRect(item, x, y, w, h) {
    var a = item.mapToItem(null, x, y)
    return { x: a.x, y: a.y, w: w, h: h }
}

function intersect(a, b) {
    var x = Math.max(a.x, b.x)
    var y = Math.max(a.y, b.y)
    var r = Math.min(a.x + a.w, b.x + b.w)
    var bt = Math.min(a.y + a.h, b.y + b.h)
    return { x: x, y: y, w: Math.max(0, r - x), h: Math.max(0, bt - y) }
}

function contains(outer, inner, slack) {
    return inner.x >= outer.x - slack && inner.y >= outer.y - slack
           && inner.x + inner.w <= outer.x + outer.w + slack
           && inner.y + inner.h <= outer.y + outer.h + slack
}

// Where the glyphs of a text are drawn, in scene coordinates. Horizontally
// the content width placed by the alignment; vertically, for one line, the
// band from the top of the tallest glyphs (CJK ideographs, 0.88 em above the
// baseline) to just below the baseline (0.12 em, where ideographs end); for several lines
// the whole content height.
function inkRect(item) {
    var px = item.font.pixelSize > 0 ? item.font.pixelSize : item.font.pointSize * 96 / 72
    var cw = item.contentWidth
    var align = item.effectiveHorizontalAlignment
    var lp = item.leftPadding || 0, rp = item.rightPadding || 0
    var avail = item.width - lp - rp
    var dx = lp
    if (align === 2 /* AlignRight */)
        dx += avail - cw
    else if (align === 4 /* AlignHCenter */)
        dx += (avail - cw) / 2
    var lines = (typeof item.lineCount === "number") ? item.lineCount : 1
    var top, h
    if (lines <= 1 && item.baselineOffset > 0) {
        top = item.baselineOffset - 0.88 * px
        h = 1.0 * px
    } else {
        var ch = item.contentHeight
        var va = item.verticalAlignment
        top = va === 128 /* AlignVCenter */ ? (item.height - ch) / 2 : va === 64 /* AlignBottom */ ? item.height - ch : 0
        h = ch
    }
    return sceneRect(item, dx, top, cw, h)
}

function allowed(rule, item) {
    for (var i = 0; i < allowList.length; ++i) {
        if (allowList[i].rule === rule && allowList[i].test(item))
            return true
    }
    return false
}

// The drawn texts below root (root included), each with its ink rectangle,
// the rectangle it may use (the intersection of its clipping ancestors and
// of `bounds`), and whether it belongs to a disabled control.
// skip(item) leaves out a subtree (for example the pop-up layer).
function texts(root, bounds, skip) {
    var out = []
    var graphics = []
    walk(root, bounds, skip, out, graphics)
    return { texts: out, graphics: graphics }
}

function walk(item, clipRect, skip, out, graphics) {
    if (!item || !item.visible || item.opacity <= 0.01)
        return
    if (skip && skip(item))
        return
    var w = item.width, h = item.height
    if (item.clip) {
        var own = sceneRect(item, 0, 0, w, h)
        clipRect = intersect(clipRect, own)
        if (clipRect.w <= 0 || clipRect.h <= 0)
            return
    }
    if (isText(item)) {
        if (item.text.length > 0 && item.text.trim().length > 0 && effectiveOpacity(item) > 0.05) {
            var ink = inkRect(item)
            var shown = intersect(ink, clipRect)
            if (shown.w > 0.5 && shown.h > 0.5)
                out.push({ item: item, ink: ink, clip: clipRect })
        }
    } else if (w > 0 && h > 0 && (typeof item.sourceSize === "object" || typeof item.border === "object")) {
        // Pictures and filled rectangles; a text must not straddle their
        // edges (thin ones are dividers and may not cross a text at all).
        var isImage = typeof item.sourceSize === "object" && typeof item.fillMode === "number"
        var filled = !isImage && item.color !== undefined && item.color.a > 0.5
        var rect = intersect(sceneRect(item, 0, 0, w, h), clipRect)
        if (((isImage && item.status === 1 /* Ready */) || filled) && rect.w > 0 && rect.h > 0)
            graphics.push({ item: item, rect: rect, thin: Math.min(w, h) <= 3, image: isImage })
    }
    var kids = item.children
    for (var i = 0; i < kids.length; ++i)
        walk(kids[i], clipRect, skip, out, graphics)
}

function isAncestor(a, b) {
    for (var p = b.parent; p; p = p.parent)
        if (p === a)
            return true
    return false
}

// ---- colour ----

function channel(c) {
    return c <= 0.03928 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4)
}
function luminance(c) {
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b)
}
function contrast(a, b) {
    var la = luminance(a), lb = luminance(b)
    return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05)
}
function distance(a, b) {
    return Math.abs(a.r - b.r) + Math.abs(a.g - b.g) + Math.abs(a.b - b.b)
}
function hex(c) {
    function h2(v) { var s = Math.round(v * 255).toString(16); return s.length < 2 ? "0" + s : s }
    return "#" + h2(c.r) + h2(c.g) + h2(c.b)
}

// The colour behind a text: the most frequent colour in its ink rectangle
// that is not (nearly) the text's own colour. Three rows are sampled.
function backgroundOf(image, rect, textColor) {
    var counts = {}
    var best = null, bestCount = 0
    var x0 = Math.max(0, Math.floor(rect.x)), x1 = Math.min(image.width - 1, Math.ceil(rect.x + rect.w))
    var fractions = [0.15, 0.5, 0.85]
    for (var f = 0; f < fractions.length; ++f) {
        var y = Math.round(rect.y + rect.h * fractions[f])
        if (y < 0 || y >= image.height)
            continue
        for (var x = x0; x <= x1; ++x) {
            var c = image.pixel(x, y)
            if (distance(c, textColor) < 0.25)
                continue
            var key = hex(c)
            counts[key] = (counts[key] || 0) + 1
            if (counts[key] > bestCount) {
                bestCount = counts[key]
                best = c
            }
        }
    }
    return best
}

function blend(fg, bg, alpha) {
    return { r: fg.r * alpha + bg.r * (1 - alpha), g: fg.g * alpha + bg.g * (1 - alpha),
             b: fg.b * alpha + bg.b * (1 - alpha) }
}

// ---- the rules ----

function problems(found, image) {
    var out = []
    var list = found.texts
    for (var i = 0; i < list.length; ++i) {
        var t = list[i]
        var item = t.item
        var name = describe(item)

        // Wider than its box: the text does not fit the width it was given
        // (an elided text included).
        var natural = isTextInput(item) ? item.contentWidth : item.implicitWidth
        if (item.wrapMode === 0 /* NoWrap */ || item.wrapMode === undefined) {
            if (natural > item.width + 0.75 && !allowed("width", item))
                out.push("too wide: " + name + " needs " + natural.toFixed(1) + " px, box " + item.width.toFixed(1))
        }
        if (item.truncated === true && !allowed("width", item))
            out.push("cut: " + name)

        // Clipped: part of the text lies outside what clips it.
        if (!contains(t.clip, t.ink, 0.75) && !allowed("clip", item))
            out.push("clipped: " + name + " ink " + JSON.stringify(round(t.ink)) + " clip " + JSON.stringify(round(t.clip)))

        // Overlap with a later text.
        for (var j = i + 1; j < list.length; ++j) {
            var u = list[j]
            var both = intersect(t.ink, u.ink)
            if (both.w > 1 && both.h > 1 && !allowed("overlap", item) && !allowed("overlap", u.item))
                out.push("overlap: " + name + " and " + describe(u.item))
        }

        // Dividers crossing the text, pictures whose edge runs through it.
        for (var g = 0; g < found.graphics.length; ++g) {
            var gr = found.graphics[g]
            if (isAncestor(gr.item, item) && !gr.image)
                continue
            var cut = intersect(t.ink, gr.rect)
            if (cut.w <= 0 || cut.h <= 0 || (cut.w <= 1 && cut.h <= 1))
                continue
            if (gr.thin) {
                if (!allowed("divider", item))
                    out.push("crossed: " + name + " by " + className(gr.item) + " at " + JSON.stringify(round(gr.rect)))
            } else if (cut.w > 1 && cut.h > 1 && gr.image && !contains(gr.rect, t.ink, 0.75) && !allowed("edge", item)) {
                out.push("straddles a picture's edge: " + name + " " + JSON.stringify(round(t.ink))
                         + " picture " + describe(gr.item) + " " + gr.item.source + " " + JSON.stringify(round(gr.rect)))
            }
        }

        // Contrast against what is drawn behind the text.
        if (image && !allowed("contrast", item)) {
            var shown = intersect(t.ink, t.clip)
            var fg = item.color
            var bg = backgroundOf(image, shown, fg)
            if (bg) {
                var drawn = blend(fg, bg, fg.a * effectiveOpacity(item))
                var ratio = contrast(drawn, bg)
                if (ratio < 4.5)
                    out.push("contrast " + ratio.toFixed(2) + ": " + name + " " + hex(drawn) + " on " + hex(bg))
            }
        }
    }
    return out
}

function round(r) {
    return { x: Math.round(r.x), y: Math.round(r.y), w: Math.round(r.w), h: Math.round(r.h) }
}
