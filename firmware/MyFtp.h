#pragma once

#include <QByteArray>
#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// What the firmware server's "describe.json" says about the newest image.
struct DescribeInfo {
    QString name;     // file name of the image, relative to the model's firmware directory
    double ver = 0;   // version of the image
    QStringList info; // release-note lines
};

// Online firmware check and download. Asks the firmware server (FTP) for the
// description of the newest firmware, tells the user interface whether it is
// newer than the keyboard's, and on request downloads the image into the
// per-user data directory and announces the local path.
class MyFtp : public QObject
{
    Q_OBJECT
public:
    // Largest answers accepted; a larger one is aborted and announces nothing.
    static constexpr qint64 DefaultMaxDescribeSize = 64 * 1024;
    static constexpr qint64 DefaultMaxImageSize = 32 * 1024 * 1024;
    // A request that receives nothing for this long is abandoned.
    static constexpr int DefaultStallTimeout = 30000;

    explicit MyFtp(QObject *parent = nullptr);
    ~MyFtp() override;

    void setDeviceConnected(bool connected);
    void setCurrentVersion(const QString &version);

    // The firmware server: scheme, host, port and an optional path prefix put
    // in front of the firmware paths. User name and password come from the URL
    // when it has them, otherwise the server's fixed account is used. The
    // editor's --firmware-server option passes its value here.
    static QUrl defaultServerUrl();
    void setServerUrl(const QUrl &url);
    QUrl serverUrl() const;

    // Where downloaded images are stored. Empty (the default) means the
    // application's per-user local data directory.
    void setDataDirectory(const QString &dir);
    QString dataDirectory() const;

    // Size limits of the two answers, in bytes.
    void setMaxDescribeSize(qint64 bytes);
    void setMaxImageSize(qint64 bytes);
    // Milliseconds without any answer after which a request is abandoned.
    void setStallTimeout(int msecs);

    // The URLs of the description and of the image named by the last description.
    QUrl describeUrl() const;
    QUrl imageUrl() const;

    // The last parsed description.
    const DescribeInfo &describeInfo() const { return describe; }

public slots:
    void checkOnLineFirmware();
    void downloadFir();

signals:
    void showDialog();
    void info(QString name, double ver, QStringList infoList);
    void downloadComplete(QString filePath);
    // The check (checkFailed) or the download (downloadFailed) has ended
    // without a result. The message, in the interface's language, says what
    // failed and what to do; nothing else is announced for that request.
    void checkFailed(QString message);
    void downloadFailed(QString message);

private slots:
    void httpReadyRead();
    void httpFinished();

private:
    enum RequestType { DescribeRequest = 0, ImageRequest = 1 };

    void startRequest(int type);
    bool openOutputFile(const QUrl &url);
    bool parseDescribe();
    void dropReply();
    void discardImage();
    QString networkFailureText(int error) const;
    QString unusableNameText() const;
    QString unusableDescriptionText() const;
    QString unusableImageText() const;
    void onStalled();
    QUrl urlForPath(const QString &path) const;

    QNetworkAccessManager *manager = nullptr;
    QNetworkReply *reply = nullptr;
    QSaveFile file; // written beside the target and renamed into place on success
    int requestType = DescribeRequest;
    QByteArray describeData;
    QString currentVersion;
    bool deviceConnected = false;
    DescribeInfo describe;

    QUrl server;
    QString dataDir;
    qint64 maxDescribeSize = DefaultMaxDescribeSize;
    qint64 maxImageSize = DefaultMaxImageSize;
    QTimer *stallTimer = nullptr;
    qint64 received = 0;
    bool oversize = false;
    bool stalled = false;
};
