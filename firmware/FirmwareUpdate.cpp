#include "firmware/FirmwareUpdate.h"

#include "device/UsbIds.h"
#include "firmware/YmodemFileTransmit.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

FirmwareUpdate::FirmwareUpdate(QObject *parent)
    : QObject(parent), fileTransmit(new YmodemFileTransmit())
{
    connect(fileTransmit, &YmodemFileTransmit::transmitProgress, this,
            &FirmwareUpdate::transmitProgress);
    connect(fileTransmit, &YmodemFileTransmit::transmitStatus, this,
            &FirmwareUpdate::transmitStatus);
}

FirmwareUpdate::~FirmwareUpdate()
{
    delete fileTransmit;
}

void FirmwareUpdate::setLoaderPortName(const QString &name)
{
    loaderPort = name;
}

QString FirmwareUpdate::loaderPortName() const
{
    return loaderPort;
}

QString FirmwareUpdate::findLoaderPort(const QList<PortIds> &ports)
{
    for (const PortIds &port : ports) {
        if (UsbIds::isLoader(port.vendorId, port.productId))
            return port.portName;
        qDebug().noquote() << "vid:" + QString::number(port.vendorId, 16)
                                  + " pid:" + QString::number(port.productId, 16);
    }
    return QString();
}

QList<FirmwareUpdate::PortIds> FirmwareUpdate::availablePorts()
{
    QList<PortIds> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos) {
        PortIds ids;
        ids.portName = info.portName();
        ids.vendorId = info.hasVendorIdentifier() ? info.vendorIdentifier() : 0;
        ids.productId = info.hasProductIdentifier() ? info.productIdentifier() : 0;
        ports.append(ids);
    }
    return ports;
}

bool FirmwareUpdate::isBusy() const
{
    return fileTransmit->isRunning();
}

QString FirmwareUpdate::openFailureText(const QString &portName, QSerialPort::SerialPortError error,
                                        const QString &systemText)
{
    QString path = portName;
#ifdef Q_OS_UNIX
    if (!path.startsWith(QLatin1Char('/')))
        path = QStringLiteral("/dev/") + path;
    // The port layer also reports a port locked by another program as a
    // permission error; only a device this user may not open is one.
    const bool mayOpen = ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), R_OK | W_OK,
                                     AT_EACCESS) == 0;
#else
    // Elsewhere a port held by another program is the usual reason.
    const bool mayOpen = true;
#endif
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return tr("The serial port %1 of the keyboard's firmware loader is gone. "
                  "Reconnect the keyboard and try again.").arg(path);
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        if (!mayOpen) {
            const QString group = QFileInfo(path).group();
            if (!group.isEmpty() && group != QLatin1String("root"))
                return tr("Permission denied for the serial port %1. Your user account needs "
                          "access to it: add it to the group \"%2\" that owns the device, log in "
                          "again and try again.").arg(path, group);
            return tr("Permission denied for the serial port %1. Your user account needs read "
                      "and write access to this device; then try again.").arg(path);
        }
        return tr("The serial port %1 is in use by another program. Close that program and "
                  "try again.").arg(path);
    default:
        return tr("The serial port %1 could not be opened (%2). Reconnect the keyboard and "
                  "try again.").arg(path, systemText);
    }
}

void FirmwareUpdate::refuse(const QString &filePath)
{
    qDebug() << "firmware update already running, refused:" << filePath;
    emit updateRefused(tr("A firmware update is already running. Wait until it has finished."));
}

void FirmwareUpdate::startUpdate(const QString &filePath)
{
    if (fileTransmit->isRunning()) {
        // Starting again would take the port from the transfer under way.
        refuse(filePath);
        return;
    }
    const QString portName = !loaderPort.isEmpty() ? loaderPort : findLoaderPort(availablePorts());
    if (portName.isEmpty()) {
        qDebug("firmware loader port not found");
        emit updateFailed(tr("The keyboard's firmware loader was not found. "
                             "Reconnect the keyboard and try again."));
        return;
    }
    fileTransmit->setFileName(filePath);
    fileTransmit->setPortName(portName);
    fileTransmit->setPortBaudRate(LoaderBaudRate);
    if (!fileTransmit->startTransmit())
        emit updateFailed(openFailureText(portName, fileTransmit->lastOpenError(),
                                          fileTransmit->lastOpenErrorString()));
}

void FirmwareUpdate::transmitStatus(YmodemFileTransmit::Status status)
{
    switch (status) {
    case YmodemFileTransmit::StatusEstablish:
    case YmodemFileTransmit::StatusTransmit:
        break;
    case YmodemFileTransmit::StatusFinish:
        emit transStatus(true);
        break;
    case YmodemFileTransmit::StatusAbort:
        emit transStatus(false);
        emit updateFailed(tr("The keyboard's firmware loader cancelled the update. "
                             "Reconnect the keyboard and try again."));
        break;
    case YmodemFileTransmit::StatusTimeout:
        emit transStatus(false);
        emit updateFailed(tr("The keyboard's firmware loader did not answer. "
                             "Reconnect the keyboard and try again."));
        break;
    default:
        emit transStatus(false);
        emit updateFailed(tr("The firmware transfer to the keyboard failed. "
                             "Reconnect the keyboard and try again."));
        break;
    }
}
