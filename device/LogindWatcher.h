#pragma once

#include <QObject>

// logind's notices on the system bus that the machine is going to sleep, has
// woken up, or is shutting down (PrepareForSleep, PrepareForShutdown).
// Inactive without a system bus; disconnects when destroyed.
class LogindWatcher : public QObject
{
    Q_OBJECT
public:
    explicit LogindWatcher(QObject *parent = nullptr);
    ~LogindWatcher() override;

    bool isActive() const { return m_active; }

signals:
    void suspending();
    void resumed();
    void shuttingDown();

private slots:
    void onPrepareForSleep(bool start);
    void onPrepareForShutdown(bool start);

private:
    bool m_active = false;
};
