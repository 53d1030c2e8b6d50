#pragma once

#include <QList>
#include <QObject>
#include <QSerialPort>
#include <QString>

#include "firmware/YmodemFileTransmit.h"

// Puts a firmware image on the keyboard: finds the firmware loader's serial
// port, sends the image to it with YMODEM and republishes the transfer's
// progress and outcome as two simple signals for the user interface.
class FirmwareUpdate : public QObject
{
    Q_OBJECT
public:
    // The loader's USB identifiers are UsbIds::kLoader.
    static constexpr int LoaderBaudRate = 115200;

    // One serial port as the lookup sees it.
    struct PortIds {
        QString portName;
        quint16 vendorId = 0;
        quint16 productId = 0;
    };

    explicit FirmwareUpdate(QObject *parent = nullptr);
    ~FirmwareUpdate() override;

    // A loader port named directly (for example /dev/ttyACM0, or a
    // pseudo-terminal), used instead of the USB lookup when not empty. For
    // loaders that do not report USB identifiers; the editor's --loader-port
    // option passes its value here.
    void setLoaderPortName(const QString &name);
    QString loaderPortName() const;

    // The first port in the list with the loader's identifiers, or an empty
    // name. Every port passed over is logged as "vid:<hex> pid:<hex>".
    static QString findLoaderPort(const QList<PortIds> &ports);
    // The computer's serial ports, in the order the system lists them.
    static QList<PortIds> availablePorts();

    // What to tell the user when the loader's port could not be opened, by
    // the serial port's error. A port the user may not open names the
    // device and the group that owns it.
    static QString openFailureText(const QString &portName, QSerialPort::SerialPortError error,
                                   const QString &systemText);
    // Whether an update is running (from startUpdate() until transStatus).
    bool isBusy() const;
    // Turns filePath down with updateRefused because an update is already
    // under way (running here, or still being handed over to the loader).
    void refuse(const QString &filePath);

public slots:
    // Finds the loader's port and starts sending filePath. Every outcome is
    // reported by a signal: updateRefused or updateFailed at once, or
    // transStatus when the transfer has ended.
    void startUpdate(const QString &filePath);

signals:
    void transmitProgress(int value);
    void transStatus(bool isSuccess);
    // The update could not start, or its transfer failed (then right after
    // transStatus(false)). The message, in the interface's language, says
    // what failed and what to do.
    void updateFailed(QString message);
    // startUpdate() while an update runs; the running one goes on.
    void updateRefused(QString message);

private slots:
    // Maps the transfer's status to transStatus.
    void transmitStatus(YmodemFileTransmit::Status status);

private:
    YmodemFileTransmit *fileTransmit = nullptr;
    QString loaderPort;
};
