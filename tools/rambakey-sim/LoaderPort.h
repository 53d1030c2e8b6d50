#pragma once

#include "tools/rambakey-sim/YmodemReceiver.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// The firmware loader's serial device: a pseudo-terminal whose slave side is
// reachable through a stable symbolic link, with a YMODEM receiver on the
// master side. The receiver speaks only while someone has the device open, so
// no stale 'C' piles up before the editor opens the port.
class LoaderPort : public QObject
{
public:
    explicit LoaderPort(const QString &linkPath, QObject *parent = nullptr);
    ~LoaderPort() override; // closes the device and removes the link

    bool open(QString *error);
    const YmodemReceiver &receiver() const { return m_receiver; }
    QString devicePath() const { return m_slavePath; }

    // Called once the transfer has ended (either way) and the last answer had
    // time to reach the sender.
    std::function<void()> finished;

private:
    void poll();
    void second();
    void send(const QByteArray &bytes);

    QString m_linkPath;
    QString m_slavePath;
    int m_master = -1;
    bool m_peerOpen = false;
    QElapsedTimer m_peerSince;
    QElapsedTimer m_lingering;
    bool m_greeted = false;
    QTimer m_pollTimer;
    QTimer m_secondTimer;
    YmodemReceiver m_receiver;
};
