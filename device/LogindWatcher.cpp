#include "device/LogindWatcher.h"

#include <QDBusConnection>

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kInterface = QStringLiteral("org.freedesktop.login1.Manager");

} // namespace

LogindWatcher::LogindWatcher(QObject *parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    const bool sleep = bus.connect(kService, kPath, kInterface, QStringLiteral("PrepareForSleep"), this,
                                   SLOT(onPrepareForSleep(bool)));
    const bool shutdown = bus.connect(kService, kPath, kInterface, QStringLiteral("PrepareForShutdown"),
                                      this, SLOT(onPrepareForShutdown(bool)));
    m_active = sleep || shutdown;
}

LogindWatcher::~LogindWatcher()
{
    if (!m_active)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    bus.disconnect(kService, kPath, kInterface, QStringLiteral("PrepareForSleep"), this,
                   SLOT(onPrepareForSleep(bool)));
    bus.disconnect(kService, kPath, kInterface, QStringLiteral("PrepareForShutdown"), this,
                   SLOT(onPrepareForShutdown(bool)));
}

void LogindWatcher::onPrepareForSleep(bool start)
{
    if (start)
        emit suspending();
    else
        emit resumed();
}

void LogindWatcher::onPrepareForShutdown(bool start)
{
    if (start)
        emit shuttingDown();
}
