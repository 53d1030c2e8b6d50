import QtQuick 2.15

// Picture drawn for a double-density screen ("@2x"): shown at half its pixel
// size. Pictures shown more than once (the knobs' pointer) are read and
// uploaded once and shared.
Image {
    // Qt already halves the implicit size of "@2x" files; other files are
    // halved here so that every picture of this kind is shown the same way.
    readonly property bool doubleDensity: String(source).indexOf("@2x.") >= 0
    width: doubleDensity ? implicitWidth : implicitWidth / 2
    height: doubleDensity ? implicitHeight : implicitHeight / 2
}
