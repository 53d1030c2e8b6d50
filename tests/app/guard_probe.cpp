// Helper process for tst_guard: takes the single-instance guard for a key and
// reports on stdout "first" or "second"; a first copy then prints "raised" for
// every raise request and runs until killed (or, with --quit-on-raise, exits
// normally after the first request).
#include "app/InstanceGuard.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <memory>

static void say(const char *text)
{
    std::printf("%s\n", text);
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    bool appFirst = false;
    bool quitOnRaise = false;
    for (int i = 2; i < argc; ++i) {
        appFirst |= std::strcmp(argv[i], "--app-first") == 0;
        quitOnRaise |= std::strcmp(argv[i], "--quit-on-raise") == 0;
    }
    const QString key = QString::fromLocal8Bit(argv[1]);

    std::unique_ptr<QCoreApplication> app;
    if (appFirst)
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (isAnotherInstanceRunning(key)) {
        say("second");
        return 0;
    }
    if (!app)
        app = std::make_unique<QCoreApplication>(argc, argv);
    QObject::connect(InstanceGuard::instance(), &InstanceGuard::raiseRequested, app.get(), [&] {
        say("raised");
        if (quitOnRaise)
            QCoreApplication::quit();
    });
    // Announce only once the event loop runs, so the server is listening.
    QTimer::singleShot(0, [] { say("first"); });
    return app->exec();
}
