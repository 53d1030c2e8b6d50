#pragma once

#include "app/FirmwareHandOver.h"
#include "app/KeyboardExchange.h"
#include "app/ScreenScale.h"
#include "device/DetectionDevice.h"
#include "firmware/FirmwareUpdate.h"
#include "firmware/MyFtp.h"

#include <QMainWindow>
#include <QPoint>
#include <QQmlApplicationEngine>
#include <QString>
#include <QUrl>

class DataManagement;
class DocumentState;
class EditHistory;
class Trans;

// The editor's controller. Owns every back-end object, publishes them to the
// Qt Quick interface and wires them together: the keyboard exchange, arrival
// and removal, the firmware hand-over and the preset files. It is a widget
// only to parent dialogs and to follow the visible window across screens; it
// is never shown.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    struct Options {
        // Load "qrc:/qml/main.qml". Tests drive the back end without it.
        bool loadQml = true;
        // Watch udev and the MIDI port list for the keyboard coming and going.
        // Tests without real devices turn this off and report events themselves.
        bool liveDeviceSources = true;
        // Replaces the firmware server (empty: the built-in one).
        QUrl firmwareServer;
        // Names the firmware loader's serial port (empty: found by USB ids).
        QString loaderPort;
        // Delays after the keyboard arrives, and before the firmware hand-over
        // closes the ports.
        int configRequestDelayMs = 2000;
        int serialRequestDelayMs = 3000;
        int handOverDelayMs = 1000;
        // How long a request waits for the keyboard's reply.
        int replyTimeoutMs = KeyboardExchange::DefaultReplyTimeoutMs;
    };

    explicit MainWindow(QWidget *parent = nullptr);
    explicit MainWindow(const Options &options, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The back-end objects, for main and tests.
    DataManagement *dataManagement() const { return m_dataMgt; }
    EditHistory *history() const { return m_history; }
    DocumentState *document() const { return m_document; }
    DetectionDevice *deviceMonitor() { return &m_detection; }
    MyFtp *ftp() { return &m_ftp; }
    FirmwareUpdate *firmwareTransfer() { return &m_firmwareUpdate; }
    QQmlApplicationEngine *engine() { return &m_engine; }
    Trans *translator() const { return m_trans; }
    KeyboardExchange *keyboard() const { return m_keyboard; }

    // The keyboard's firmware version as the online check compares it: first
    // number, ".", then second and third numbers run together (1,0,2 -> "1.02").
    static QString versionText(const QVariantList &numbers);

    // Test seam: state the controller keeps for itself. The file save()
    // writes to, and the version text last handed to the online check.
    QString presetPath() const { return m_filePath; }
    QString currentFirmwareVersion() const { return m_versionText; }

    // Registers the C++ item types the documents use. Call once, before the
    // first MainWindow loads them.
    static void registerQmlTypes();

    // Index into QGuiApplication::screens() of the screen that overlaps the
    // largest part of rect; 0 when none does.
    static int screenIndexFor(const QRect &rect) { return ScreenScale::screenIndexFor(rect); }

signals:
    void showHint(bool isSend, bool isSuccess);
    void s_midiIndata(char *data, int count);
    void screenChanged();
    void devStateChanged(bool state);
    void s_snNum(QString snStr);
    void padNumberChanged(int num);
    // A preset was written; name is its file name.
    void s_saved(QString name);
    void recentPresetsChanged();

public slots:
    void sendData();
    void getData();
    QString rgbtoStr(int r, int g, int b);
    void save();
    void saveAs();
    void openFile();
    // Opens the preset at path (from the recent list), asking first like openFile().
    void openPreset(QString path);
    // The last presets saved or opened, newest first, at most 8; files that
    // are gone are left out.
    QStringList recentPresets();
    // Puts the factory defaults into the editor's copy, asking first when
    // that would lose changes.
    void restoreDefault();
    // True when the window may close: there are no changes that are neither
    // saved nor sent, or the person saved or discarded them.
    bool confirmClose();
    // Where the window of the given size opens: where it was last time with
    // this screen layout, moved inside the visible area; the centre of the
    // primary screen the first time.
    QPoint windowPosition(int width, int height);
    double getScalingRate();
    void updateProgra(int x, int y);
    QString getSoftVersion();
    void firmwareUpdate(QString path);
    // The user guide as a file URL: "VornelRambaKEYQ7X.pdf" if there is one,
    // else "VornelRambaKEYQ7X.html"; each looked for beside the program, then
    // in an installed program's data folder (../share/VornelRambaKEYQ7X), then
    // in the working folder. Empty when there is none.
    QString userGuideUrl();

private slots:
    void slotMidiIndata(char *data, int count);
    void screenCountChange();
    void onDevArrivalOrRemove(QString devType, bool isArrival);
    void onFirmwareUpdate(QString path);
    void onStoreUpdated();
    void requestSerialNumber();
    // The automatic fetch after the keyboard arrived.
    void fetchAfterArrival();
    void onPortsBusy();

private:
    void init();
    void setUpUserInterface();
    bool askSavePath();
    bool writePreset();
    bool savePreset(bool askPath);
    void loadPreset(const QString &path);
    // Asks Save / Discard / Cancel when the copy holds changes that are
    // neither saved nor sent; true when the action may go on.
    bool confirmDiscard();
    void addRecentPreset(const QString &path);
    void rememberWindowGeometry();

    DataManagement *m_dataMgt = nullptr;
    KeyboardExchange *m_keyboard = nullptr;
    EditHistory *m_history = nullptr;
    DocumentState *m_document = nullptr;
    FirmwareHandOver *m_handOver = nullptr;
    ScreenScale *m_screens = nullptr;
    QQmlApplicationEngine m_engine;
    MyFtp m_ftp;
    FirmwareUpdate m_firmwareUpdate;
    QString m_filePath;
    DetectionDevice m_detection;
    Trans *m_trans = nullptr;

    Options m_options;
    QString m_versionText;
    bool m_keyboardShown = false; // the window was last told the keyboard is present
};
