import QtQuick 2.15

// Dark block behind a group of fields.
Rectangle {
    color: CusConfig.colorblock
    radius: CusConfig.radiuSize3
}
