import QtQuick 2.15

// Progress shown as a fill rising behind the maker's mark.
Item {
    id: root
    property real value: 0

    width: 88
    height: 126

    Accessible.role: Accessible.ProgressBar
    Accessible.name: qsTr("Progress")

    // The fill covers the picture and is shrunk from the top by a transform,
    // so the dialog's layout scaler (which assigns sizes) cannot freeze it.
    Rectangle {
        anchors.fill: picture
        color: "#5E17CC"
        transform: Scale {
            origin.y: picture.height
            yScale: Math.max(0, Math.min(1, root.value))
        }
    }
    Image {
        id: picture
        source: "qrc:/img/progress.png"
    }
}
