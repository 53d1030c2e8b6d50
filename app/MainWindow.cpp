#include "app/MainWindow.h"

#include "app/WindowPlacement.h"

#include "i18n/Trans.h"
#include "model/DataManagement.h"
#include "model/DocumentState.h"
#include "model/EditHistory.h"
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
#include <QSettings>
#include <QtQml>
#include <QTimer>
#include <QWindow>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <unistd.h>

#ifndef Q7X_VERSION
#error "Q7X_VERSION must name the program version"
#endif

namespace {

constexpr qint64 kLargestPresetFile = 64 * 1024; // anything larger is not read at all
constexpr int kRecentPresets = 8;

// The editor's own settings live beside the language choice.
std::unique_ptr<QSettings> editorSettings()
{
    return std::make_unique<QSettings>(Trans::settingsFilePath(), QSettings::IniFormat);
}

// Writes bytes to path through a temporary file beside it, renamed over the
// target only once complete and on disk, so a failed or interrupted save
// never destroys the earlier file. The temporary file has a fixed name per
// target: one left behind by a killed editor is taken over (and so removed)
// by the next save of the same preset.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QFileInfo target(path);
    if (target.isSymLink())
        target = QFileInfo(target.symLinkTarget());
    const QString finalPath = target.absoluteFilePath();
    const QString tempPath =
        target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".saving");

    QFile temp(tempPath);
    // Unbuffered, so that a failing write (disk full, size limit) is seen here.
    if (!temp.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        *error = temp.errorString();
        return false;
    }
    bool ok = temp.write(bytes) == bytes.size();
    if (ok)
        ok = ::fsync(temp.handle()) == 0;
    if (!ok)
        *error = temp.errorString();
    temp.close();
    if (ok && target.exists())
        QFile::setPermissions(tempPath, QFile::permissions(finalPath));
    if (ok && std::rename(QFile::encodeName(tempPath).constData(),
                          QFile::encodeName(finalPath).constData()) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ok = false;
    }
    if (!ok)
        QFile::remove(tempPath);
    return ok;
}

} // namespace

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
    m_history = new EditHistory(m_dataMgt, this);
    m_document = new DocumentState(m_dataMgt, this);

    m_keyboard = new KeyboardExchange(m_dataMgt, this);
    m_keyboard->setReplyTimeout(m_options.replyTimeoutMs);
    connect(m_keyboard, &KeyboardExchange::s_midiIndata, this, &MainWindow::s_midiIndata,
            Qt::DirectConnection);
    connect(m_keyboard, &KeyboardExchange::serialNumberReceived, this, &MainWindow::s_snNum);
    connect(m_keyboard, &KeyboardExchange::padNumberChanged, this, &MainWindow::padNumberChanged);
    connect(m_keyboard, &KeyboardExchange::portsBusy, this, &MainWindow::onPortsBusy);
    connect(m_keyboard, &KeyboardExchange::keyboardGone, this, [this]() {
        onDevArrivalOrRemove(QStringLiteral("vq041"), false);
    });
    connect(m_keyboard, &KeyboardExchange::aboutToStoreConfiguration, this, [this]() {
        m_history->nameNextBlockChange(
            QString::fromLatin1(QT_TRANSLATE_NOOP("EditHistory", "Get From Hardware")));
    });
    // The get result is known once the reply is stored, or the wait is over.
    connect(m_keyboard, &KeyboardExchange::configurationReceived, this, [this]() {
        m_document->markKeyboard();
        emit showHint(false, true);
    });
    connect(m_keyboard, &KeyboardExchange::configurationFailed, this,
            [this]() { emit showHint(false, false); });
    m_handOver = new FirmwareHandOver(m_keyboard, &m_firmwareUpdate, m_options.handOverDelayMs, this);

    setUpUserInterface();

    connect(&m_detection, &DetectionDevice::s_devTypeAndState, this,
            &MainWindow::onDevArrivalOrRemove);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, &MainWindow::screenCountChange);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &MainWindow::screenCountChange);
    connect(&m_ftp, &MyFtp::downloadComplete, this, &MainWindow::onFirmwareUpdate);

    screenCountChange();
    m_dataMgt->initDefaultData();
    // The defaults are where the history starts and count as saved.
    m_history->clear();
    m_document->markClean();
    m_detection.scanConnectedDevices();
}

MainWindow::~MainWindow()
{
    m_keyboard->closePorts();
    rememberWindowGeometry();
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
    context->setContextProperty("History", m_history);
    context->setContextProperty("Document", m_document);
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
    const bool ok = m_keyboard->sendConfiguration();
    if (ok)
        m_document->markKeyboard();
    emit showHint(true, ok);
}

void MainWindow::getData()
{
    // Success is told once the reply is stored; a request that could not be
    // sent fails at once.
    if (!m_keyboard->requestConfiguration())
        emit showHint(false, false);
}

void MainWindow::fetchAfterArrival()
{
    // Edits that are neither saved nor sent are not replaced unasked.
    if (m_document->hasPendingChanges()) {
        const QMessageBox::StandardButton answer = Prompter::instance()->ask(
            this, tr("Keyboard connected"),
            tr("The keyboard is connected. Its settings would replace changes that are neither saved nor sent."),
            {{QMessageBox::Yes, tr("Load the keyboard's settings")},
             {QMessageBox::No, tr("Keep my edits")}});
        if (answer != QMessageBox::Yes)
            return;
    }
    getData();
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
            QTimer::singleShot(m_options.configRequestDelayMs, this, &MainWindow::fetchAfterArrival);
            QTimer::singleShot(m_options.serialRequestDelayMs, this,
                               &MainWindow::requestSerialNumber);
            m_keyboardShown = true;
            emit devStateChanged(true);
        } else {
            m_keyboard->keyboardLeft();
            // A removal found by a failed open comes again from the device
            // watch; the window is told once.
            if (m_keyboardShown) {
                m_keyboardShown = false;
                emit devStateChanged(false);
            }
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

bool MainWindow::askSavePath()
{
    const QString lastFolder = editorSettings()->value(QStringLiteral("Presets/LastFolder")).toString();
    const QString start = !m_filePath.isEmpty() ? m_filePath : lastFolder;
    // A name ending in ".syx" is saved as a raw System Exclusive dump.
    QString path = Prompter::instance()->saveFileName(
        this, tr("Save File"), start,
        tr("stm (*.stm)") + QStringLiteral(";;") + tr("syx (*.syx)") + QStringLiteral(";;") + tr("All files (*)"));
    if (path.isEmpty())
        return false; // cancelled: the earlier path stays
    // A name typed without an extension gets the preset's.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".stm");
    m_filePath = path;
    return true;
}

void MainWindow::save()
{
    savePreset(m_filePath.isEmpty());
}

void MainWindow::saveAs()
{
    savePreset(true);
}

bool MainWindow::savePreset(bool askPath)
{
    if (askPath && !askSavePath())
        return false;
    return writePreset();
}

bool MainWindow::writePreset()
{
    qDebug() << "m_filePath" << m_filePath;
    if (m_filePath.isEmpty())
        return false; // cancelled

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

    QString error;
    if (!writeFileAtomically(m_filePath, content, &error)) {
        qWarning() << "preset not saved:" << m_filePath << error;
        Prompter::warning(this, tr("Error prompt"),
                          tr("The file could not be saved:\n%1").arg(m_filePath));
        return false;
    }
    m_document->markSaved(m_filePath);
    addRecentPreset(m_filePath);
    emit s_saved(QFileInfo(m_filePath).fileName());
    return true;
}

bool MainWindow::confirmDiscard()
{
    if (!m_document->hasPendingChanges())
        return true;
    const QMessageBox::StandardButton answer = Prompter::instance()->ask(
        this, tr("Unsaved changes"),
        tr("The configuration has changes that are neither saved nor sent to the keyboard."),
        {{QMessageBox::Save, tr("Save")},
         {QMessageBox::Discard, tr("Discard")},
         {QMessageBox::Cancel, tr("Cancel")}});
    if (answer == QMessageBox::Save)
        return savePreset(m_filePath.isEmpty());
    return answer == QMessageBox::Discard;
}

bool MainWindow::confirmClose()
{
    return confirmDiscard();
}

void MainWindow::restoreDefault()
{
    if (!confirmDiscard())
        return;
    m_dataMgt->initDefaultData();
}

void MainWindow::openFile()
{
    if (!confirmDiscard())
        return;
    const QString lastFolder = editorSettings()->value(QStringLiteral("Presets/LastFolder")).toString();
    const QString path = Prompter::instance()->openFileName(
        this, QString(), lastFolder,
        tr("stm (*.stm)") + QStringLiteral(";;") + tr("syx (*.syx)") + QStringLiteral(";;") + tr("All files (*)"));
    qDebug() << "filePath" << path;
    if (path.isEmpty())
        return;
    loadPreset(path);
}

void MainWindow::openPreset(QString path)
{
    if (path.isEmpty() || !confirmDiscard())
        return;
    loadPreset(path);
}

void MainWindow::loadPreset(const QString &path)
{
    editorSettings()->setValue(QStringLiteral("Presets/LastFolder"), QFileInfo(path).absolutePath());

    // Only a regular file of a preset's size is read: a named pipe or a
    // device would block the window, a huge file is no preset.
    const QFileInfo info(path);
    if (info.exists() && !info.isDir() && (!info.isFile() || info.size() > kLargestPresetFile)) {
        qWarning() << "not a preset (not a regular file of a preset's size):" << path;
        Prompter::warning(this, tr("Error prompt"), tr("The file is not a valid preset"));
        return;
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "preset not opened:" << path << file.errorString();
        Prompter::warning(this, tr("Error prompt"),
                          tr("The file could not be opened:\n%1").arg(path));
        return;
    }
    // A raw System Exclusive dump (.syx) or a preset, told apart by content.
    const QByteArray content = file.read(SyxFormat::readLimit());
    file.close();
    QString reason;
    const QByteArray block = SyxFormat::decodeFile(content, &reason);
    if (block.isEmpty()) {
        qWarning() << "not a preset:" << path << reason;
        Prompter::warning(this, tr("Error prompt"), tr("The file is not a valid preset"));
        return;
    }
    m_history->nameNextBlockChange(QString::fromLatin1(QT_TRANSLATE_NOOP("EditHistory", "Open Preset")));
    m_dataMgt->setBlockData(block.constData(), block.size());
    // The opened preset is what Save writes to from now on.
    m_filePath = path;
    m_document->markSaved(path);
    addRecentPreset(path);
}

void MainWindow::addRecentPreset(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto settings = editorSettings();
    QStringList recent = settings->value(QStringLiteral("Presets/Recent")).toStringList();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    while (recent.size() > kRecentPresets)
        recent.removeLast();
    settings->setValue(QStringLiteral("Presets/Recent"), recent);
    settings->setValue(QStringLiteral("Presets/LastFolder"), QFileInfo(absolute).absolutePath());
    emit recentPresetsChanged();
}

QStringList MainWindow::recentPresets()
{
    QStringList existing;
    const QStringList recent = editorSettings()->value(QStringLiteral("Presets/Recent")).toStringList();
    for (const QString &path : recent) {
        if (QFileInfo(path).isFile() && existing.size() < kRecentPresets)
            existing << path;
    }
    return existing;
}

// ---------------------------------------------------------------- window placement

QPoint MainWindow::windowPosition(int width, int height)
{
    return WindowPlacement::position(*editorSettings(), width, height);
}

void MainWindow::rememberWindowGeometry()
{
    const QList<QObject *> roots = m_engine.rootObjects();
    for (QObject *root : roots) {
        auto *window = qobject_cast<QWindow *>(root);
        if (window && window->width() > 0 && window->height() > 0) {
            WindowPlacement::remember(*editorSettings(), window->geometry());
            return;
        }
    }
}
