#pragma once

#include <QtGlobal>

#include <cstddef>

// The USB identifiers of the keyboard's parts: the one list the device
// monitor and the firmware update both match against.
namespace UsbIds {

struct Id
{
    quint16 vendorId;
    quint16 productId;
};

// The keyboard's MIDI function (a USB sound device).
inline constexpr Id kKeyboard[] = {{0x1C75, 0x0206}, {0x0416, 0x0206}};
// The keyboard's firmware loader (a USB serial port).
inline constexpr Id kLoader[] = {{0x0416, 0x0206}, {0x0416, 0x0204}};

template <std::size_t N>
constexpr bool contains(const Id (&ids)[N], quint16 vendorId, quint16 productId)
{
    for (const Id &id : ids) {
        if (id.vendorId == vendorId && id.productId == productId)
            return true;
    }
    return false;
}

constexpr bool isKeyboard(quint16 vendorId, quint16 productId)
{
    return contains(kKeyboard, vendorId, productId);
}

constexpr bool isLoader(quint16 vendorId, quint16 productId)
{
    return contains(kLoader, vendorId, productId);
}

} // namespace UsbIds
