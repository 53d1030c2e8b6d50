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
            // When the hint went back to its default state (timers never fire
            // early, so a slow machine cannot make this fail).
            var hiddenAt = []
            var onState = function() { if (hint.state === "") hiddenAt.push(Date.now()) }
            hint.stateChanged.connect(onState)
            hint.popup("first")
            compare(hint.text, "first")
            verify(hint.showing)
            wait(1000)
            hint.popup("second")
            var second = Date.now()
            // The new text shows at once.
            compare(hint.text, "second")
            verify(hint.showing)
            verify(hint.holdTimer.running)
            tryVerify(function() { return !hint.showing }, 5000)
            hint.stateChanged.disconnect(onState)
            // It stayed up a full 1.5 s after the second hint.
            var last = hiddenAt[hiddenAt.length - 1]
            verify(last - second >= 1450, "hidden " + (last - second) + " ms after the second hint")
            compare(hint.text, "second")
        }
    }
}
