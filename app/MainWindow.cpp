#include "app/MainWindow.h"

#include "i18n/Trans.h"
#include "model/DataManagement.h"
#include "model/PresetFormat.h"
#include "model/SyxFormat.h"
#include "ui/ColorPalette.h"
#include "ui/DialogName.h"
#include "ui/Prompter.h"

#include <QColor>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QQmlContext>
#include <QSaveFile>
#include <QtQml>
#include <QTimer>

#ifndef Q7X_VERSION
#error "Q7X_VERSION must name the program version"
#endif

MainWindow::MainWindow(QWidget *parent)
    : MainWindow(Options(), parent)
{
}

MainWindow::MainWindow(const Options &options, QWidget *parent)
    : QMainWindow(parent)
    , m_detection(nullptr, options.liveDeviceSources ? DetectionDevice::Sources::Live
                                                     : DetectionDevice::Sources::None)
    , m_options(options)
{
    init();
}

void MainWindow::init()
{
    resize(1080, 892);

    if (!m_options.firmwareServer.isEmpty()) {
        m_ftp.setServerUrl(m_options.firmwareServer);
        qInfo() << "firmware server:"
                << m_options.firmwareServer.toDisplayString(QUrl::RemovePassword);
    }
    if (!m_options.loaderPort.isEmpty()) {
        m_firmwareUpdate.setLoaderPortName(m_options.loaderPort);
        qInfo() << "firmware loader port:" << m_options.loaderPort;
    }

    m_dataMgt = new DataManagement(this);
    connect(m_dataMgt, &DataManagement::s_updateDate, this, &MainWindow::onStoreUpdated,
            Qt::DirectConnection);

    // The exchange receives and decodes on its own; its outcomes become this
    // object's signals (received bytes are announced here as they arrive).
    m_keyboard = new KeyboardExchange(m_dataMgt, this);
    connect(m_keyboard, &KeyboardExchange::s_midiIndata, this, &MainWindow::s_midiIndata,
            Qt::DirectConnection);
    connect(m_keyboard, &KeyboardExchange::serialNumberReceived, this, &MainWindow::s_snNum);
    connect(m_keyboard, &KeyboardExchange::padNumberChanged, this, &MainWindow::padNumberChanged);
    connect(m_keyboard, &KeyboardExchange::portsBusy, this, &MainWindow::onPortsBusy);
    m_handOver = new FirmwareHandOver(m_keyboard, &m_firmwareUpdate, m_options.handOverDelayMs, this);

    setUpUserInterface();

    connect(&m_detection, &DetectionDevice::s_devTypeAndState, this,
            &MainWindow::onDevArrivalOrRemove);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &MainWindow::screenCountChange);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &MainWindow::screenCountChange);
    connect(&m_ftp, &MyFtp::downloadComplete, this, &MainWindow::onFirmwareUpdate);

    screenCountChange();
    m_dataMgt->initDefaultData();
    m_detection.scanConnectedDevices();
}

MainWindow::~MainWindow()
{
    m_keyboard->closePorts();
    // The documents go first, while every object they are bound to still exists.
    const QList<QObject *> roots = m_engine.rootObjects();
    for (QObject *root : roots)
        delete root;
    // Frees the received messages still waiting for the decoder.
    delete m_keyboard;
    m_keyboard = nullptr;
}

void MainWindow::setUpUserInterface()
{
    m_screens = new ScreenScale(QRect(pos(), size()), this);
    connect(m_screens, &ScreenScale::changed, this, &MainWindow::screenChanged);

    m_trans = new Trans(&m_engine, this);
    connect(m_trans, &Trans::languageNotSaved, this, [this](const QString &path) {
        Prompter::warning(this, tr("Error prompt"),
                          tr("The language choice could not be saved:\n%1").arg(path));
    });

    QQmlContext *context = m_engine.rootContext();
    context->setContextProperty("Tran", m_trans);
    context->setContextProperty("MainLogic", this);
    context->setContextProperty("DataMgt", m_dataMgt);
    context->setContextProperty("Ftp", &m_ftp);
    context->setContextProperty("FirmwareUpdate", &m_firmwareUpdate);

    if (m_options.loadQml) {
        m_engine.load(QUrl(QStringLiteral("qrc:/qml/main.qml")));
        if (m_engine.rootObjects().isEmpty())
            qWarning() << "main.qml could not be loaded";
    }
}

void MainWindow::registerQmlTypes()
{
    qmlRegisterType<ColorPalette>("ColorP", 1, 0, "ColorPalette");
    DialogName::registerType();
}

// ---------------------------------------------------------------- screens

void MainWindow::screenCountChange()
{
    m_screens->watchScreens();
}

double MainWindow::getScalingRate()
{
    return m_screens->rate();
}

void MainWindow::updateProgra(int x, int y)
{
    // The widget follows the visible window, so that dialogs open over it.
    move(x, y);
    m_screens->windowMoved(QRect(pos(), size()));
}

// ---------------------------------------------------------------- small helpers

QString MainWindow::rgbtoStr(int r, int g, int b)
{
    QColor color;
    if (r >= 0 && r <= 255 && g >= 0 && g <= 255 && b >= 0 && b <= 255)
        color.setRgb(r, g, b, 255);
    // An out-of-range component leaves the colour invalid, whose name is black.
    return color.name();
}

QString MainWindow::getSoftVersion()
{
    return QStringLiteral(Q7X_VERSION);
}

QString MainWindow::userGuideUrl()
{
    // Beside the program (a build or an unpacked folder), in the data folder
    // of an installed program (<prefix>/bin -> <prefix>/share/...), here.
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString installedDir = programDir + QStringLiteral("/../share/VornelRambaKEYQ7X");
    for (const QString &name : {QStringLiteral("VornelRambaKEYQ7X.pdf"), QStringLiteral("VornelRambaKEYQ7X.html")}) {
        for (const QString &dir : {programDir, installedDir, QDir::currentPath()}) {
            const QFileInfo guide(QDir(dir).filePath(name));
            if (guide.isFile())
                return QUrl::fromLocalFile(guide.absoluteFilePath()).toString();
        }
    }
    return QString();
}

QString MainWindow::versionText(const QVariantList &numbers)
{
    if (numbers.size() < 3)
        return QString();
    return QStringLiteral("%1.%2%3")
        .arg(numbers.at(0).toInt())
        .arg(numbers.at(1).toInt())
        .arg(numbers.at(2).toInt());
}

void MainWindow::onStoreUpdated()
{
    m_versionText = versionText(m_dataMgt->getVerInfo());
    m_ftp.setCurrentVersion(m_versionText);
}

// ---------------------------------------------------------------- exchanges

void MainWindow::sendData()
{
    emit showHint(true, m_keyboard->sendConfiguration());
}

void MainWindow::getData()
{
    // The hint tells whether the request went out; the reply comes later.
    emit showHint(false, m_keyboard->requestConfiguration());
}

void MainWindow::requestSerialNumber()
{
    m_keyboard->requestSerialNumber();
}

void MainWindow::slotMidiIndata(char *data, int count)
{
    m_keyboard->slotMidiIndata(data, count);
}

void MainWindow::onPortsBusy()
{
    Prompter::warning(this, tr("Error prompt"), tr("The current device is occupied"));
}

// ---------------------------------------------------------------- arrival and removal

void MainWindow::onDevArrivalOrRemove(QString devType, bool isArrival)
{
    qDebug() << "in coming device:" << devType << isArrival;

    if (devType == QLatin1String("vq041")) {
        if (isArrival) {
            m_ftp.setDeviceConnected(true);
            m_keyboard->keyboardArrived();
            QTimer::singleShot(m_options.configRequestDelayMs, this, &MainWindow::getData);
            QTimer::singleShot(m_options.serialRequestDelayMs, this,
                               &MainWindow::requestSerialNumber);
            emit devStateChanged(true);
        } else {
            m_keyboard->keyboardLeft();
            emit devStateChanged(false);
        }
    } else if (devType == QLatin1String("vq041SerialDev")) {
        m_ftp.setDeviceConnected(isArrival);
        m_versionText = versionText(m_dataMgt->getVerInfo());
        m_ftp.setCurrentVersion(m_versionText);
        m_ftp.checkOnLineFirmware();
    }
}

// ---------------------------------------------------------------- firmware hand-over

void MainWindow::firmwareUpdate(QString path)
{
    m_handOver->start(path);
}

void MainWindow::onFirmwareUpdate(QString path)
{
    m_handOver->start(path);
}

// ---------------------------------------------------------------- preset files

void MainWindow::askSavePath()
{
    // A name ending in ".syx" is saved as a raw System Exclusive dump.
    m_filePath = Prompter::instance()->saveFileName(
        this, tr("Save File"), QString(), tr("stm (*.stm)") + QStringLiteral(";;") + tr("syx (*.syx)"));
}

void MainWindow::save()
{
    if (m_filePath.isEmpty())
        askSavePath();
    writePreset();
}

void MainWindow::saveAs()
{
    askSavePath();
    writePreset();
}

void MainWindow::writePreset()
{
    qDebug() << "m_filePath" << m_filePath;
    if (m_filePath.isEmpty())
        return; // cancelled

    // Always a well-formed configuration message, so that every saved preset
    // can be opened again: bytes that cannot stand in one (left by a short or
    // damaged reply) are written as the keyboard would receive them when sent.
    // A ".syx" name gets the configuration message exactly as it is sent to
    // the keyboard (repairs are logged by the message builder).
    int repaired = 0;
    const QByteArray content = SyxFormat::isSyxName(m_filePath)
                                   ? SyxFormat::encode(m_dataMgt->blockData())
                                   : PresetFormat::encode(m_dataMgt->blockData(), &repaired);
    if (repaired > 0)
        qWarning() << "preset: bytes outside the message format written as 0x7F/frame:" << repaired;

    // Written beside the target and renamed over it only when complete, so a
    // failed save never destroys the earlier file. Unbuffered, so that a
    // failing write (disk full, file size limit) is seen before the rename.
    QSaveFile file(m_filePath);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (ok) {
        ok = file.write(content) == content.size();
        if (ok)
            ok = file.commit();
        else
            file.cancelWriting();
    }
    if (!ok) {
        qWarning() << "preset not saved:" << m_filePath << file.errorString();
        Prompter::warning(this, tr("Error prompt"),
                          tr("The file could not be saved:\n%1").arg(m_filePath));
    }
}

void MainWindow::openFile()
{
    const QString path =
        Prompter::instance()->openFileName(this, QString(), QString(), QString());
    qDebug() << "filePath" << path;
    if (path.isEmpty())
        return;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "preset not opened:" << path << file.errorString();
        Prompter::warning(this, tr("Error prompt"),
                          tr("The file could not be opened:\n%1").arg(path));
        return;
    }
    // One byte more than a preset holds tells a longer file from a good one
    // without reading all of it.
    const QByteArray content = file.read(PresetFormat::kFileSize + 1);
    file.close();

    // A raw System Exclusive dump (.syx) or a preset, told apart by content.
    QByteArray block;
    QString reason;
    if (SyxFormat::looksLikeDump(content)) {
        block = SyxFormat::decode(content, &reason);
    } else {
        const PresetFormat::Decoded preset = PresetFormat::decode(content);
        block = preset.block;
        reason = preset.reason();
    }
    if (block.isEmpty()) {
        qWarning() << "not a preset:" << path << reason;
        Prompter::warning(this, tr("Error prompt"), tr("The file is not a valid preset"));
        return;
    }
    m_dataMgt->setBlockData(block.constData(), block.size());
}
