#include "app/FirmwareHandOver.h"

#include "app/KeyboardExchange.h"
#include "firmware/FirmwareUpdate.h"

#include <QTimer>

FirmwareHandOver::FirmwareHandOver(KeyboardExchange *keyboard, FirmwareUpdate *transfer,
                                   int delayMs, QObject *parent)
    : QObject(parent)
    , m_keyboard(keyboard)
    , m_transfer(transfer)
    , m_delayMs(delayMs)
{
}

void FirmwareHandOver::start(const QString &imagePath)
{
    if (m_pending || m_transfer->isBusy()) {
        // The keyboard is already on its way to the loader or taking an
        // image: a second entry message would only disturb it.
        m_transfer->refuse(imagePath);
        return;
    }
    m_pending = true;
    m_keyboard->requestFirmwareUpdateEntry();
    QTimer::singleShot(m_delayMs, this, [this, imagePath]() {
        m_keyboard->closePorts();
        // The keyboard needs a moment to restart as its loader; the window
        // goes on meanwhile, and a second image is still refused.
        QTimer::singleShot(kLoaderStartMs, this, [this, imagePath]() {
            m_pending = false;
            m_transfer->startUpdate(imagePath);
        });
    });
}
