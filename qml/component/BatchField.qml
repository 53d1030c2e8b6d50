import QtQuick 2.15
import "../BaseControl"

// Number field of an auto-populate section: dark text on light grey, 0 ... 127.
CusInput {
    x: 150
    width: 28
    height: 14
    color: enabled ? "#E5E5E5" : CusConfig.colorInputDisable
    textColor: "#333333"
}
