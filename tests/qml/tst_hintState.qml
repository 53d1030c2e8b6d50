import QtQuick 2.15
import QtTest 1.2
import "qrc:/qml/component"

Item {
    width: 300
    height: 100

    HintState { id: hint }

    TestCase {
        name: "HintState"
        when: windowShown

        function test_fades() {
            var panel = hint.children[0]
            compare(panel.opacity, 0)
            hint.popup("one")
            tryCompare(panel, "opacity", 1, 1000)
            hint.state = ""
            tryCompare(panel, "opacity", 0, 1000)
        }

        function test_second_hint_restarts_the_hold() {
            hint.popup("first")
            compare(hint.text, "first")
            verify(hint.showing)
            wait(1000)
            hint.popup("second")
            var second = Date.now()
            // The new text shows at once.
            compare(hint.text, "second")
            verify(hint.showing)
            // 1.5 s after the first hint it must still be up.
            wait(800)
            verify(hint.showing)
            tryVerify(function() { return !hint.showing }, 3000)
            verify(Date.now() - second >= 1450)
        }
    }
}
