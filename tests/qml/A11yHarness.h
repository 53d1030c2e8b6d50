#pragma once

// The program's window with the stand-in back end, loaded as the program
// loads it, in a chosen language and with one of its dialogs open: what the
// accessibility tests look at, in-process or over the accessibility bus.

#include "tests/qml/BackEndStubs.h"
#include "tests/qml/RecordingDataMgt.h"
#include "ui/ColorPalette.h"
#include "ui/DialogName.h"

#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

struct A11yHarness
{
    QQmlApplicationEngine engine;
    StubMainLogic *mainLogic = nullptr;
    RecordingDataMgt *dataMgt = nullptr;
    StubTrans *tran = nullptr;
    StubFtp *ftp = nullptr;
    StubFirmwareUpdate *firmware = nullptr;
    QQuickWindow *window = nullptr;
    QObject *openDialog = nullptr;

    // The views every check covers: the window alone, then each dialog open.
    static QStringList views()
    {
        return {"window", "auto populate", "colour", "about", "firmware check",
                "firmware offer", "firmware progress", "firmware result", "notice"};
    }

    static void registerTypes()
    {
        qmlRegisterType<ColorPalette>("ColorP", 1, 0, "ColorPalette");
        DialogName::registerType();
    }

    static QQuickItem *findItem(QQuickItem *item, const QString &objectName)
    {
        if (item->objectName() == objectName)
            return item;
        const auto children = item->childItems();
        for (QQuickItem *child : children) {
            if (QQuickItem *found = findItem(child, objectName))
                return found;
        }
        return nullptr;
    }

    // Loads the window in `language` ("English" or "简体中文") with the
    // Chinese catalogue `zhCatalogue`.
    bool load(const QString &language, const QString &zhCatalogue)
    {
        mainLogic = new StubMainLogic(&engine);
        dataMgt = new RecordingDataMgt(&engine);
        tran = new StubTrans(zhCatalogue, &engine);
        tran->setEngine(&engine);
        tran->setProperty("storedLanguage", language);
        ftp = new StubFtp(&engine);
        firmware = new StubFirmwareUpdate(&engine);
        QQmlContext *ctx = engine.rootContext();
        ctx->setContextProperty("MainLogic", mainLogic);
        ctx->setContextProperty("DataMgt", dataMgt);
        ctx->setContextProperty("Tran", tran);
        ctx->setContextProperty("Ftp", ftp);
        ctx->setContextProperty("FirmwareUpdate", firmware);
        engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
        if (engine.rootObjects().isEmpty())
            return false;
        window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        if (!window || !QTest::qWaitForWindowExposed(window))
            return false;
        dataMgt->initDefaultData();
        QTest::qWait(50);
        return true;
    }

    QObject *dialog(const char *name) const { return window->property(name).value<QObject *>(); }

    // Opens the dialog of `view` the way the user or the back end opens it;
    // false for an unknown view or a dialog that does not open.
    bool open(const QString &view)
    {
        if (view == "window")
            return true;
        if (view == "auto populate") {
            openDialog = dialog("functionDialog");
            QMetaObject::invokeMethod(openDialog, "show");
        } else if (view == "colour") {
            // As a click on pad 5's colour square opens it.
            openDialog = dialog("colorDialog");
            QObject *swatch = findItem(window->contentItem(), "swatch");
            if (!swatch)
                return false;
            QMetaObject::invokeMethod(openDialog, "show", Q_ARG(QVariant, 4),
                                      Q_ARG(QVariant, QVariant::fromValue(swatch)), Q_ARG(QVariant, "#ff8000"));
        } else if (view == "about") {
            openDialog = dialog("helpDialog");
            emit mainLogic->s_snNum("RK7X-0001");
            QMetaObject::invokeMethod(openDialog, "show");
        } else if (view.startsWith("firmware")) {
            openDialog = dialog("progressDialog");
            emit ftp->showDialog();
            if (view != "firmware check")
                emit ftp->info("Q7X_V1.3.bin", 1.3, {"Faster pads"});
            if (view == "firmware progress" || view == "firmware result")
                emit firmware->transmitProgress(40);
            if (view == "firmware result")
                emit firmware->transStatus(true);
        } else if (view == "notice") {
            // Help > Open Userguide without a guide.
            openDialog = dialog("noticeDialog");
            mainLogic->setProperty("guideUrl", QString());
            QObject *menuBar = window->property("menuBarItem").value<QObject *>();
            if (!menuBar)
                return false;
            QMetaObject::invokeMethod(menuBar, "openUserGuide");
        } else {
            return false;
        }
        return openDialog && QTest::qWaitFor([this] { return openDialog->property("opened").toBool(); }, 5000);
    }
};
