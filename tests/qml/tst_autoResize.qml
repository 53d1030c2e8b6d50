import QtQuick 2.15
import QtTest 1.2
import "qrc:/qml/BaseControl"
import "qrc:/qml"

Item {
    id: root
    width: 600
    height: 400

    Component {
        id: treeComponent
        Item {
            id: target
            width: 300
            height: 200
            property alias a: a
            property alias label: label
            property alias skipped: skipped
            property alias skippedChild: skippedChild
            property alias shallow: shallow
            property alias shallowChild: shallowChild
            property alias scaler: scaler

            Rectangle {
                id: a
                x: 10; y: 20; width: 31; height: 17
                Text { id: label; x: 3; y: 1; width: 20; height: 9; text: "x"; font.pixelSize: 10 }
            }
            Item {
                id: skipped
                objectName: "ingnoreAll"
                x: 50; y: 50; width: 10; height: 10
                Item { id: skippedChild; x: 1; y: 1; width: 5; height: 5 }
            }
            Item {
                id: shallow
                objectName: "ingnoreChildren"
                x: 70; y: 5; width: 20; height: 30
                Item { id: shallowChild; x: 2; y: 3; width: 4; height: 5 }
            }
            AutoResize { id: scaler }
        }
    }

    Component {
        id: textsComponent
        Item {
            width: 300
            height: 200
            property alias free: free
            property alias boxed: boxed
            property alias centred: centred
            property alias scaler: scaler
            // Sizes itself to its text; the next one has a box of its own.
            Text { id: free; x: 10; y: 10; text: "CH"; font.pixelSize: 10 }
            Text { id: boxed; x: 10; y: 40; width: 40; height: 14; text: "CH"; font.pixelSize: 10 }
            Item {
                width: 300
                height: 30
                y: 80
                Text { id: centred; anchors.horizontalCenter: parent.horizontalCenter; text: "sn:"; font.pixelSize: 10 }
            }
            AutoResize { id: scaler }
        }
    }

    Component {
        id: viewsComponent
        Item {
            width: 300
            height: 200
            property alias flick: flick
            property alias block: block
            property alias list: list
            property alias scaler: scaler

            Flickable {
                id: flick
                x: 5; y: 5; width: 100; height: 50
                contentWidth: 400; contentHeight: 50
                clip: true
                Rectangle { id: block; x: 120; y: 4; width: 30; height: 20 }
            }
            ListView {
                id: list
                x: 5; y: 60; width: 250; height: 20
                orientation: ListView.Horizontal
                spacing: 10
                clip: true
                model: 4
                delegate: Rectangle { width: 100; height: 20 }
            }
            AutoResize { id: scaler }
        }
    }

    TestCase {
        name: "AutoResize"
        when: windowShown

        function geometry(item) {
            return [item.x, item.y, item.width, item.height]
        }

        function test_scale_and_restore_exactly() {
            var t = createTemporaryObject(treeComponent, root)
            t.scaler.begin()
            compare(t.scaler.recordedCount, 3)   // a, label, shallow
            var before = [geometry(t.a), geometry(t.label), geometry(t.shallow)]

            t.scaler.verticalRatio = 1.25
            // Only a horizontal change lays out: nothing moved yet.
            compare(geometry(t.a), before[0])
            t.scaler.horizontalRatio = 1.5
            compare(geometry(t.a), [15, 25, 46.5, 21.25])
            compare(geometry(t.label), [4.5, 1.25, 30, 11.25])
            compare(t.label.font.pixelSize, 13)   // 10 x min(1.5, 1.25)
            compare(t.scaler.fontRatio, 1.25)
            compare(geometry(t.shallow), [105, 6.25, 30, 37.5])
            // Marked items are left alone.
            compare(geometry(t.skipped), [50, 50, 10, 10])
            compare(geometry(t.skippedChild), [1, 1, 5, 5])
            compare(geometry(t.shallowChild), [2, 3, 4, 5])

            // Awkward ratios several times over, then back: no drift.
            var ratios = [1.1, 1.75, 0.8, 2.33, 1.5]
            for (var i = 0; i < ratios.length; ++i) {
                t.scaler.verticalRatio = ratios[i]
                t.scaler.horizontalRatio = ratios[i]
            }
            t.scaler.verticalRatio = 1.0
            t.scaler.horizontalRatio = 1.0
            compare(geometry(t.a), before[0])
            compare(geometry(t.label), before[1])
            compare(geometry(t.shallow), before[2])
            compare(t.label.font.pixelSize, 10)
        }

        function test_resize_before_begin_does_nothing() {
            var t = createTemporaryObject(treeComponent, root)
            var resized = 0
            t.scaler.resized.connect(function() { ++resized })
            t.scaler.verticalRatio = 2
            t.scaler.horizontalRatio = 2
            compare(geometry(t.a), [10, 20, 31, 17])
            compare(resized, 0)
            t.scaler.begin()
            t.scaler.resize()
            compare(resized, 1)
            compare(geometry(t.a), [20, 40, 62, 34])
        }

        function test_begin_records_once() {
            var t = createTemporaryObject(treeComponent, root)
            t.scaler.begin()
            t.scaler.verticalRatio = 2
            t.scaler.horizontalRatio = 2
            // A second begin must not take the scaled geometry as the design.
            t.scaler.begin()
            t.scaler.verticalRatio = 1
            t.scaler.horizontalRatio = 1
            compare(geometry(t.a), [10, 20, 31, 17])
        }

        function test_switched_off_and_invalid_ratios() {
            var t = createTemporaryObject(treeComponent, root)
            t.scaler.begin()
            t.scaler.ifAutoResize = false
            t.scaler.horizontalRatio = 2
            compare(geometry(t.a), [10, 20, 31, 17])
            t.scaler.ifAutoResize = true
            t.scaler.horizontalRatio = 0       // nonsense rate: layout kept
            compare(geometry(t.a), [10, 20, 31, 17])
            t.scaler.horizontalRatio = NaN
            compare(geometry(t.a), [10, 20, 31, 17])
        }

        // Scrolled views keep their place; what they hold is scaled, and the
        // rows of an item view sit where the view lays them out.
        function test_views_keep_their_scroll_position() {
            var t = createTemporaryObject(viewsComponent, root)
            t.flick.contentX = 100
            t.scaler.begin()
            t.scaler.verticalRatio = 2
            t.scaler.horizontalRatio = 2
            compare(t.flick.contentX, 100)
            compare([t.block.x, t.block.y, t.block.width, t.block.height], [240, 8, 60, 40])
            compare(t.list.width, 500)
            var row = t.list.itemAtIndex(1)
            compare(row.width, 200)
            compare(row.height, 40)
            // The view's spacing is its own: 200 + 10, not 2 x (100 + 10).
            tryCompare(row, "x", 210)
            t.scaler.verticalRatio = 1
            t.scaler.horizontalRatio = 1
            compare(t.flick.contentX, 100)
            compare([t.block.x, t.block.y, t.block.width, t.block.height], [120, 4, 30, 20])
            tryCompare(row, "x", 110)
        }

        // A text without a size of its own keeps following its content when
        // scaled: a longer text shown later (another language, a serial
        // number) gets the room it needs and stays centred. A text with its
        // own box keeps the scaled box.
        function test_texts_sized_by_content_follow_it() {
            var t = createTemporaryObject(textsComponent, root)
            t.scaler.begin()
            t.scaler.verticalRatio = 1.5
            t.scaler.horizontalRatio = 1.5
            compare(t.free.font.pixelSize, 15)
            compare(t.free.width, t.free.implicitWidth)
            compare(t.boxed.width, 60)
            t.free.text = "通道通道通道"
            t.centred.text = "sn:RK7X-000123456"
            compare(t.free.width, t.free.implicitWidth)
            verify(t.free.width > 60)
            compare(t.boxed.width, 60)
            fuzzyCompare(t.centred.x + t.centred.width / 2, 450 / 2, 1)
            compare(t.centred.width, t.centred.implicitWidth)
        }

        function test_fixed_aspect_and_centre_rules() {
            var t = createTemporaryObject(treeComponent, root)
            t.scaler.begin()
            t.scaler.fixedAspectRatio = true
            t.scaler.accordingToX = false
            t.scaler.verticalRatio = 3
            t.scaler.horizontalRatio = 2
            // Sizes by the smaller ratio, centres kept at their scaled place.
            compare(t.a.width, 62)
            compare(t.a.height, 34)
            compare(t.a.x + t.a.width / 2, (10 + 31 / 2) * 2)
            compare(t.a.y + t.a.height / 2, (20 + 17 / 2) * 3)
        }
    }
}
