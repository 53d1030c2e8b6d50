#include "firmware/FirmwareUpdate.h"

#include "device/UsbIds.h"
#include "firmware/YmodemFileTransmit.h"
#include "ui/Prompter.h"

#include <QDebug>
#include <QSerialPortInfo>

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

void FirmwareUpdate::startUpdate(const QString &filePath)
{
    const QString portName = !loaderPort.isEmpty() ? loaderPort : findLoaderPort(availablePorts());
    if (portName.isEmpty()) {
        Prompter::information(nullptr, tr("info"),
                              tr("The serial port name of the device was not found"));
        return;
    }
    fileTransmit->setFileName(filePath);
    fileTransmit->setPortName(portName);
    fileTransmit->setPortBaudRate(LoaderBaudRate);
    if (!fileTransmit->startTransmit())
        Prompter::warning(nullptr, tr("info"), tr("Failed to open the serial port!"));
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
    default:
        emit transStatus(false);
        break;
    }
}
