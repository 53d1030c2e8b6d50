#pragma once

#include <QObject>
#include <QString>

class FirmwareUpdate;
class KeyboardExchange;

// Hands the keyboard over to its firmware loader: sends the firmware-update
// entry message, waits for the keyboard to take it, closes the MIDI ports,
// gives the keyboard a moment to restart as its loader and starts the
// transfer of the image.
class FirmwareHandOver : public QObject
{
    Q_OBJECT

public:
    FirmwareHandOver(KeyboardExchange *keyboard, FirmwareUpdate *transfer, int delayMs,
                     QObject *parent = nullptr);

    void start(const QString &imagePath);

    // How long the keyboard takes to restart as its loader.
    static constexpr int kLoaderStartMs = 1000;

private:
    KeyboardExchange *m_keyboard;
    FirmwareUpdate *m_transfer;
    int m_delayMs;
    bool m_pending = false; // entry message sent, transfer not started yet
};
