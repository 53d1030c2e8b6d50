#include "firmware/MyFtp.h"

#include "firmware/YmodemFileTransmit.h"
#include "ui/Prompter.h"

#include <QDebug>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardPaths>
#include <QTimer>

namespace {
// The server's fixed account and the model's firmware directory.
const char kUser[] = "qelvantrosk";
const char kPassword[] = "qelvantrosk";
const char kFirmwareDir[] = "/firmware/vornel/vq41/";
const char kDescribeName[] = "describe.json";
// Our firmware server. Placeholder address; --firmware-server replaces it.
const char kDefaultServer[] = "ftp://firmware.rambakey.invalid";

// A name from the server may name a file in a sub-directory of the firmware
// directory, but must not leave it and must end in a real file name. Every
// part of it goes into FTP commands, and its last part into the loader's
// block 0, so it is held to the characters block 0 can carry: printable
// ASCII without the backslash (no CR or LF that would end an FTP command
// early, no character the loader could store differently). Empty when
// usable, otherwise why not.
QString imageNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("empty");
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F)
            return QStringLiteral("control character");
        if (u == '\\')
            return QStringLiteral("backslash");
    }
    if (!YmodemFileTransmit::isCarriableName(name))
        return QStringLiteral("not printable ASCII");
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return QStringLiteral("not a file below the firmware directory");
    }
    return QString();
}

bool isUsableImageName(const QString &name)
{
    return imageNameProblem(name).isEmpty();
}

void logRefusedName(const QString &name)
{
    qDebug() << "firmware name refused:" << imageNameProblem(name) << name;
}
} // namespace

MyFtp::MyFtp(QObject *parent)
    : QObject(parent), server(defaultServerUrl()),
      stallTimer(new QTimer(this))
{
    stallTimer->setSingleShot(true);
    stallTimer->setInterval(DefaultStallTimeout);
    connect(stallTimer, &QTimer::timeout, this, &MyFtp::onStalled);
}

MyFtp::~MyFtp()
{
    dropReply();
}

void MyFtp::setDeviceConnected(bool connected)
{
    deviceConnected = connected;
}

void MyFtp::setCurrentVersion(const QString &version)
{
    currentVersion = version;
}

QUrl MyFtp::defaultServerUrl()
{
    return QUrl(QString::fromLatin1(kDefaultServer));
}

void MyFtp::setServerUrl(const QUrl &url)
{
    server = url.isValid() && !url.isEmpty() ? url : defaultServerUrl();
}

QUrl MyFtp::serverUrl() const
{
    return server;
}

void MyFtp::setDataDirectory(const QString &dir)
{
    dataDir = dir;
}

QString MyFtp::dataDirectory() const
{
    if (!dataDir.isEmpty())
        return dataDir;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

void MyFtp::setMaxDescribeSize(qint64 bytes)
{
    maxDescribeSize = bytes;
}

void MyFtp::setMaxImageSize(qint64 bytes)
{
    maxImageSize = bytes;
}

void MyFtp::setStallTimeout(int msecs)
{
    stallTimer->setInterval(msecs);
}

QUrl MyFtp::urlForPath(const QString &path) const
{
    QUrl url = server;
    if (url.userName().isEmpty())
        url.setUserName(QString::fromLatin1(kUser));
    if (url.password().isEmpty())
        url.setPassword(QString::fromLatin1(kPassword));
    QString prefix = server.path(QUrl::FullyDecoded);
    while (prefix.endsWith(QLatin1Char('/')))
        prefix.chop(1);
    url.setPath(prefix + path, QUrl::DecodedMode);
    url.setQuery(QString());
    url.setFragment(QString());
    return url;
}

QUrl MyFtp::describeUrl() const
{
    return urlForPath(QString::fromLatin1(kFirmwareDir) + QString::fromLatin1(kDescribeName));
}

QUrl MyFtp::imageUrl() const
{
    return urlForPath(QString::fromLatin1(kFirmwareDir) + describe.name);
}

void MyFtp::checkOnLineFirmware()
{
    describeData.clear();
    if (!deviceConnected) {
        Prompter::information(nullptr, tr("Notice"), tr("Connect the keyboard first."));
        return;
    }
    if (currentVersion.isEmpty()) {
        Prompter::information(nullptr, tr("Notice"), tr("The keyboard's firmware version could not be read."));
        return;
    }
    emit showDialog();
    QTimer::singleShot(50, this, [this] { startRequest(DescribeRequest); });
    qInfo("download describe");
}

void MyFtp::downloadFir()
{
    if (!deviceConnected) {
        Prompter::information(nullptr, tr("Notice"), tr("Connect the keyboard first."));
        // The dialog that asked is waiting for the download; release it.
        emit downloadFailed(tr("The keyboard is not connected. Connect it and try again."));
        return;
    }
    startRequest(ImageRequest);
}

void MyFtp::startRequest(int type)
{
    // One request at a time: a new one replaces (and cancels) the old one.
    dropReply();

    if (type == ImageRequest && !isUsableImageName(describe.name)) {
        logRefusedName(describe.name);
        emit downloadFailed(unusableNameText());
        return;
    }
    const QUrl url = type == ImageRequest ? imageUrl() : describeUrl();
    requestType = type;
    describeData.clear();
    received = 0;
    oversize = false;
    stalled = false;

    if (type == ImageRequest && !openOutputFile(url)) {
        qDebug("openOutputFile fail");
        emit downloadFailed(tr("The firmware image could not be saved in the folder %1. "
                               "Check that this folder can be written, then try again.")
                                .arg(QDir::toNativeSeparators(dataDirectory())));
        return;
    }

    // Made on first use: a network manager starts the network-state thread
    // at once, which an editor that never checks for firmware does not need.
    if (!manager)
        manager = new QNetworkAccessManager(this);
    reply = manager->get(QNetworkRequest(url));
    connect(reply, &QNetworkReply::readyRead, this, &MyFtp::httpReadyRead);
    connect(reply, &QNetworkReply::finished, this, &MyFtp::httpFinished);
    // A server that accepts but never answers would otherwise keep the
    // request (and the dialog's busy indicator) forever.
    connect(reply, &QNetworkReply::downloadProgress, stallTimer, qOverload<>(&QTimer::start));
    connect(reply, &QNetworkReply::metaDataChanged, stallTimer, qOverload<>(&QTimer::start));
    stallTimer->start();
}

void MyFtp::onStalled()
{
    if (!reply)
        return;
    qDebug() << "no answer from the firmware server, aborted:" << reply->url().path();
    stalled = true;
    reply->abort(); // finishes the reply with an error, reported as a stall
}

bool MyFtp::openOutputFile(const QUrl &url)
{
    const QString name = url.path(QUrl::FullyDecoded).section(QLatin1Char('/'), -1);
    const QString dir = dataDirectory();
    const QString path = dir + QLatin1Char('/') + name;
    qDebug().noquote() << path;
    if (!QDir().mkpath(dir))
        return false;
    file.setFileName(path);
    return file.open(QIODevice::WriteOnly);
}

void MyFtp::dropReply()
{
    if (!reply)
        return;
    QNetworkReply *old = reply;
    reply = nullptr;
    stallTimer->stop();
    old->disconnect(this);
    old->disconnect(stallTimer);
    old->abort();
    old->deleteLater();
    discardImage();
}

void MyFtp::discardImage()
{
    if (file.isOpen()) {
        file.cancelWriting();
        file.commit(); // removes the partial image, keeps any earlier file
    }
}

void MyFtp::httpReadyRead()
{
    auto *r = qobject_cast<QNetworkReply *>(sender());
    if (!r || r != reply || oversize)
        return;

    const qint64 limit = requestType == DescribeRequest ? maxDescribeSize : maxImageSize;
    const QVariant announced = r->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray data = r->readAll();
    received += data.size();
    if ((announced.isValid() && announced.toLongLong() > limit) || received > limit) {
        oversize = true;
        qDebug() << "httpReadyRead answer too large, aborted:" << r->url().path();
        r->abort(); // finishes the reply with an error; nothing is announced
        return;
    }

    if (requestType == DescribeRequest)
        describeData.append(data);
    else if (file.write(data) != data.size())
        qDebug() << "httpReadyRead write fail" << file.errorString();
    qDebug("httpReadyRead");
}

QString MyFtp::networkFailureText(int error) const
{
    if (stalled)
        return tr("The firmware server stopped answering. Try again later.");
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return tr("The firmware server could not be reached. "
                  "Check the internet connection and try again.");
    case QNetworkReply::AuthenticationRequiredError:
        return tr("The firmware server refused the login. Try again later.");
    default:
        return tr("The firmware server failed to deliver the file. Try again later.");
    }
}

QString MyFtp::unusableNameText() const
{
    return tr("The firmware server offered an image with an unusable name. Try again later.");
}

void MyFtp::httpFinished()
{
    auto *r = qobject_cast<QNetworkReply *>(sender());
    if (!r)
        return;
    if (r != reply) { // a replaced request; already cancelled
        r->deleteLater();
        return;
    }

    // Whatever is still buffered belongs to the answer.
    if (r->bytesAvailable() > 0 && !oversize)
        httpReadyRead();

    const QNetworkReply::NetworkError error = r->error();
    const QVariant announced = r->header(QNetworkRequest::ContentLengthHeader);
    qDebug() << "httpFinished" << error;

    reply = nullptr;
    stallTimer->stop();
    r->close();
    r->deleteLater();

    const bool forImage = requestType == ImageRequest;
    if (error != QNetworkReply::NoError || oversize) {
        switch (error) {
        case QNetworkReply::ConnectionRefusedError:
            qDebug("httpFinished ConnectionRefusedError ");
            break;
        case QNetworkReply::HostNotFoundError:
            qDebug("httpFinished HostNotFoundError ");
            break;
        case QNetworkReply::AuthenticationRequiredError:
            qDebug("httpFinished AuthenticationRequiredError ");
            break;
        default:
            qDebug("httpFinished other Error ");
            break;
        }
        if (forImage)
            discardImage();
        describeData.clear();
        QString message;
        if (oversize)
            message = forImage ? unusableImageText() : unusableDescriptionText();
        else
            message = networkFailureText(error);
        if (forImage)
            emit downloadFailed(message);
        else
            emit checkFailed(message);
        return;
    }

    if (requestType == DescribeRequest) {
        const bool parsed = parseDescribe();
        describeData.clear();
        if (!parsed) {
            emit checkFailed(unusableDescriptionText());
            return;
        }
        // Double precision on both sides: single precision would round the
        // keyboard's version (1.05 becomes 1.0499999) and offer the same
        // image again as newer.
        const double current = currentVersion.toDouble();
        if (describe.ver > current && !isUsableImageName(describe.name)) {
            logRefusedName(describe.name);
            emit checkFailed(unusableNameText());
        } else if (describe.ver > current) {
            emit info(describe.name, describe.ver, describe.info);
        } else {
            emit info(QStringLiteral("null"), 0, QStringList());
        }
        return;
    }

    if (!file.isOpen())
        return;
    const QString path = file.fileName();
    if (received == 0) {
        // An empty answer is a broken image; it must never reach the loader.
        qDebug("firmware image is empty");
        discardImage();
        emit downloadFailed(unusableImageText());
        return;
    }
    // A server that announced a size and then ended early (or late) has sent
    // something other than the image it described.
    if (announced.isValid() && announced.toLongLong() != received) {
        qDebug() << "firmware image incomplete: received" << received << "of"
                 << announced.toLongLong() << "bytes";
        discardImage();
        emit downloadFailed(tr("The firmware download was incomplete (%1 of %2 bytes). Try again.")
                                .arg(received)
                                .arg(announced.toLongLong()));
        return;
    }
    if (!file.commit()) {
        qDebug() << "saveOutputFile fail" << file.errorString();
        emit downloadFailed(tr("The firmware image could not be saved in the folder %1. "
                               "Check that this folder can be written, then try again.")
                                .arg(QDir::toNativeSeparators(dataDirectory())));
        return;
    }
    emit downloadComplete(path);
}

QString MyFtp::unusableDescriptionText() const
{
    return tr("The firmware server sent an unreadable firmware description. Try again later.");
}

QString MyFtp::unusableImageText() const
{
    return tr("The firmware server sent an unusable firmware image. Try again later.");
}

bool MyFtp::parseDescribe()
{
    describe = DescribeInfo();
    const QJsonDocument doc = QJsonDocument::fromJson(describeData);
    if (!doc.isObject()) {
        qDebug("document is not object");
        return false;
    }
    const QJsonObject obj = doc.object();
    if (obj.contains(QLatin1String("name")))
        describe.name = obj.value(QLatin1String("name")).toString();
    if (obj.contains(QLatin1String("ver")))
        describe.ver = obj.value(QLatin1String("ver")).toDouble(0);
    if (obj.contains(QLatin1String("info"))) {
        const QJsonArray lines = obj.value(QLatin1String("info")).toArray();
        for (const QJsonValue &line : lines)
            describe.info.append(line.toString());
    }
    qDebug() << "====" << describe.name << describe.ver << describe.info;
    return true;
}
