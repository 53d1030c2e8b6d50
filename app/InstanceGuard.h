#pragma once
// Single-instance guard.
//
// The first copy of the editor holds a lock file "<key>-<uid>.lock" in the
// per-user runtime folder (QStandardPaths::RuntimeLocation) and listens on a
// local socket "<key>-<uid>.sock" in the same folder. A second copy finds the
// lock held, connects to the socket, sends "raise" and is told to exit. A lock
// left by a crashed copy is recognised by its dead process id and taken over.
// Without XDG_RUNTIME_DIR the folder is "<temp>/q7x-runtime-<uid>" (mode 0700);
// when no private folder can be had, the guard is skipped and the copy runs.
//
// isAnotherInstanceRunning() may be called before or after the QApplication is
// constructed and logs nothing itself. When it is called before, the first
// copy's socket server starts as soon as the application object is created
// (Qt pre-routine); the second copy never needs an application object.
// It must be called on the main thread.

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QLockFile;
class QWindow;

// True when another copy of the editor already runs for this user; that copy
// is asked to bring its window to the front. False when this process is the
// first copy (it then holds the guard until it exits).
bool isAnotherInstanceRunning(const QString &key);

class InstanceGuard : public QObject
{
    Q_OBJECT
public:
    static InstanceGuard *instance();

    // See the free function of the same name.
    bool isAnotherInstanceRunning(const QString &key);

    // Takes the guard without asking a running copy for anything: true when
    // this process now holds it (or already did, or no guard can be had),
    // false when another copy holds it.
    bool tryAcquire(const QString &key);

    // True after isAnotherInstanceRunning() returned false in this process.
    bool isFirstInstance() const { return m_lock != nullptr; }

    // Paths derived from a key for the current user.
    static QString lockFilePath(const QString &key);
    static QString serverPath(const QString &key);

    // Restores a minimised window, shows it, raises it and asks for focus.
    // Connect raiseRequested() to a lambda calling this for the root window.
    static void bringToFront(QWindow *window);

signals:
    // A second copy was started: the window should come to the front.
    void raiseRequested();

private:
    explicit InstanceGuard(QObject *parent = nullptr);
    ~InstanceGuard() override;
    void startServer();
    void onNewConnection();
    static void startServerPreRoutine();
    static bool askRunningCopyToRaise(const QString &path);

    QString m_key;
    QLockFile *m_lock = nullptr;
    QPointer<QLocalServer> m_server;

    friend struct InstanceGuardHolder;
};
