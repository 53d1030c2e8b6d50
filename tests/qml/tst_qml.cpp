// Runs the Qt Quick tests (tst_*.qml in this folder) with stand-ins for the
// back-end objects published under the names the documents use.
#include "model/DocumentState.h"
#include "model/EditHistory.h"
#include "tests/qml/BackEndStubs.h"
#include "tests/qml/RecordingDataMgt.h"
#include "ui/ColorPalette.h"
#include "ui/DialogName.h"

#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine)
    {
        // One set of stand-ins per engine: each test file gets a fresh engine.
        auto *mainLogic = new StubMainLogic(engine);
        qmlRegisterType<ColorPalette>("ColorP", 1, 0, "ColorPalette");
        DialogName::registerType();
        // The real parameter store, recording the calls made to it.
        auto *dataMgt = new RecordingDataMgt(engine);
        auto *tran = new StubTrans(QStringLiteral(Q7X_TEST_ZH_QM), engine);
        tran->setEngine(engine);
        auto *ftp = new StubFtp(engine);
        auto *firmware = new StubFirmwareUpdate(engine);
        QQmlContext *ctx = engine->rootContext();
        ctx->setContextProperty("MainLogic", mainLogic);
        ctx->setContextProperty("DataMgt", dataMgt);
        ctx->setContextProperty("Tran", tran);
        ctx->setContextProperty("Ftp", ftp);
        ctx->setContextProperty("FirmwareUpdate", firmware);
        // The real history and saved state over the recording store.
        ctx->setContextProperty("History", new EditHistory(dataMgt, engine));
        ctx->setContextProperty("Document", new DocumentState(dataMgt, engine));
    }
};

QUICK_TEST_MAIN_WITH_SETUP(tst_qml, Setup)

#include "tst_qml.moc"
