#include "firmware/YmodemFileTransmit.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSerialPort>
#include <QTimer>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {
constexpr uint32_t TimeDivide = 499;  // resend every 500 idle polls (5 s)
constexpr uint32_t TimeMax = 5;       // give up after 6 intervals (30 s)
constexpr uint32_t ErrorMax = 999;
}

YmodemFileTransmit::YmodemFileTransmit(QObject *parent)
    : QObject(parent),
      Ymodem(TimeDivide, TimeMax, ErrorMax),
      file(new QFile),
      readTimer(new QTimer),
      writeTimer(new QTimer),
      serialPort(new QSerialPort),
      progress(0),
      status(StatusEstablish),
      fileSize(0),
      fileCount(0)
{
    setTimeDivide(TimeDivide);
    setTimeMax(TimeMax);
    setErrorMax(ErrorMax);
    qRegisterMetaType<YmodemFileTransmit::Status>("YmodemFileTransmit::Status");

    serialPort->setPortName(QStringLiteral("COM1"));
    serialPort->setBaudRate(QSerialPort::Baud115200, QSerialPort::AllDirections);
    serialPort->setDataBits(QSerialPort::Data8);
    serialPort->setParity(QSerialPort::NoParity);
    serialPort->setStopBits(QSerialPort::OneStop);
    serialPort->setFlowControl(QSerialPort::NoFlowControl);

    // A coarse timer may fire up to 5 % early; the final status must never
    // come sooner than 100 ms after the engine's end.
    writeTimer->setTimerType(Qt::PreciseTimer);

    connect(readTimer, &QTimer::timeout, this, &YmodemFileTransmit::readTimeOut);
    connect(writeTimer, &QTimer::timeout, this, &YmodemFileTransmit::writeTimeOut);
    // Queued: the port reports errors from inside its own notifications,
    // where closing it is not safe.
    connect(serialPort, &QSerialPort::errorOccurred, this, &YmodemFileTransmit::onPortError,
            Qt::QueuedConnection);
}

YmodemFileTransmit::~YmodemFileTransmit()
{
    readTimer->stop();
    writeTimer->stop();
    if (serialPort->isOpen()) {
        // A receiver left mid-transfer would wait for its own timeout; tell it.
        cancelTransfer();
        serialPort->flush();
        serialPort->close();
    }
    delete file;
    delete readTimer;
    delete writeTimer;
    delete serialPort;
}

void YmodemFileTransmit::setFileName(const QString &path)
{
    file->setFileName(path);
}

void YmodemFileTransmit::setPortName(const QString &name)
{
    serialPort->setPortName(name);
}

void YmodemFileTransmit::setPortBaudRate(int baud)
{
    serialPort->setBaudRate(baud, QSerialPort::AllDirections);
}

QString YmodemFileTransmit::fileName() const
{
    return file->fileName();
}

QString YmodemFileTransmit::portName() const
{
    return serialPort->portName();
}

int YmodemFileTransmit::portBaudRate() const
{
    return serialPort->baudRate();
}

bool YmodemFileTransmit::isRunning() const
{
    return readTimer->isActive() || writeTimer->isActive() || serialPort->isOpen();
}

bool YmodemFileTransmit::startTransmit()
{
    // A second start while a transfer runs or is ending would reset the status
    // the pending end signal is about to report.
    if (isRunning())
        return false;

    progress = 0;
    status = StatusEstablish;
    stopRequested = false;

    if (!serialPort->open(QIODevice::ReadWrite)) {
        qDebug() << "serial port open failed:" << serialPort->portName() << serialPort->errorString();
        return false;
    }

    readTimer->start(PollInterval);
    return true;
}

void YmodemFileTransmit::stopTransmit()
{
    if (inStep) {
        // Called from a slot connected to our own signals inside an engine
        // step: finish that step first, then stop.
        stopRequested = true;
        return;
    }
    if (!readTimer->isActive())
        return;  // idle, or the end is already on its way
    readTimer->stop();
    cancelByCaller();
}

void YmodemFileTransmit::cancelByCaller()
{
    cancelTransfer();
    file->close();
    status = StatusAbort;
    writeTimer->start(EndDelay);
}

void YmodemFileTransmit::readTimeOut()
{
    readTimer->stop();

    inStep = true;
    transmit();
    inStep = false;

    if (status == StatusEstablish || status == StatusTransmit) {
        if (stopRequested) {
            stopRequested = false;
            cancelByCaller();
            return;
        }
        readTimer->start(PollInterval);
    }
    stopRequested = false;
}

// A device that disappears (unplugged, reset) leaves a hung-up line that
// reports readiness without end, so the event loop would spin until the
// engine's limits expire half a minute later. End the transfer with an error
// at once instead.
void YmodemFileTransmit::onPortError(QSerialPort::SerialPortError error)
{
    if (!readTimer->isActive())
        return;
    if (error != QSerialPort::ResourceError && !(error == QSerialPort::ReadError && lineHungUp()))
        return;
    qDebug() << "serial port lost:" << serialPort->errorString();
    readTimer->stop();
    dropTransfer();
    serialPort->close();
    finishWith(StatusError);
}

bool YmodemFileTransmit::lineHungUp() const
{
#ifdef Q_OS_UNIX
    if (!serialPort->isOpen())
        return false;
    pollfd line{int(serialPort->handle()), POLLIN, 0};
    return ::poll(&line, 1, 0) > 0 && (line.revents & (POLLHUP | POLLERR | POLLNVAL));
#else
    return false;
#endif
}

void YmodemFileTransmit::writeTimeOut()
{
    writeTimer->stop();
    if (serialPort->isOpen()) {
        serialPort->flush();
        serialPort->close();
    }
    emit transmitStatus(status);
}

void YmodemFileTransmit::finishWith(Status finalStatus)
{
    file->close();
    status = finalStatus;
    writeTimer->start(EndDelay);
}

Ymodem::Code YmodemFileTransmit::callback(Ymodem::Status engineStatus, uint8_t *buffer, uint32_t *length)
{
    switch (engineStatus) {
    case Ymodem::StatusEstablish: {
        if (file->isOpen())
            file->close();
        if (!file->open(QIODevice::ReadOnly)) {
            qDebug() << "firmware file open failed:" << file->fileName() << file->errorString();
            finishWith(StatusError);
            return CodeCan;
        }
        fileSize = file->size();
        fileCount = 0;

        // Block 0: name, 0x00, size in decimal, 0x00, zero padding to 128 bytes.
        const QByteArray name = QFileInfo(file->fileName()).fileName().toLocal8Bit();
        const QByteArray size = QByteArray::number(fileSize, 10);
        if (name.size() + 1 + size.size() + 1 > int(PacketSize128) || name.isEmpty()) {
            // A cut name would make the receiver store the image under a
            // different name; refuse instead.
            qDebug() << "file name too long for the YMODEM header:" << name.size() << "bytes";
            finishWith(StatusError);
            return CodeCan;
        }
        std::memcpy(buffer, name.constData(), size_t(name.size()));
        buffer[name.size()] = 0x00;
        std::memcpy(buffer + name.size() + 1, size.constData(), size_t(size.size()));
        buffer[name.size() + 1 + size.size()] = 0x00;

        *length = PacketSize128;
        status = StatusEstablish;
        emit transmitStatus(StatusEstablish);
        return CodeAck;
    }
    case Ymodem::StatusTransmit: {
        if (fileCount == fileSize) {
            status = StatusTransmit;
            emit transmitStatus(StatusTransmit);
            return CodeEot;
        }
        const qint64 remaining = fileSize - fileCount;
        const qint64 blockSize = remaining > qint64(PacketSize128) ? PacketSize1024 : PacketSize128;
        // Never read past the size announced in block 0, even if the file grew.
        const qint64 wanted = std::min(blockSize, remaining);
        const qint64 got = file->read(reinterpret_cast<char *>(buffer), wanted);
        if (got <= 0) {
            // The file shrank or became unreadable: the announced size can no
            // longer be delivered, so end with an error instead of padding forever.
            qDebug() << "firmware file read failed:" << file->fileName() << file->errorString();
            finishWith(StatusError);
            return CodeCan;
        }
        fileCount += got;

        *length = uint32_t(blockSize);
        progress = int(quint64(fileCount) * 100u / quint64(fileSize));
        status = StatusTransmit;
        emit transmitProgress(progress);
        emit transmitStatus(StatusTransmit);
        return CodeAck;
    }
    case Ymodem::StatusFinish:
        finishWith(StatusFinish);
        return CodeAck;
    case Ymodem::StatusAbort:
        finishWith(StatusAbort);
        return CodeCan;
    case Ymodem::StatusTimeout:
        status = StatusTimeout;
        writeTimer->start(EndDelay);
        return CodeCan;
    case Ymodem::StatusError:
    default:
        finishWith(StatusError);
        return CodeCan;
    }
}

uint32_t YmodemFileTransmit::read(uint8_t *buffer, uint32_t length)
{
    const qint64 count = serialPort->read(reinterpret_cast<char *>(buffer), length);
    return count > 0 ? uint32_t(count) : 0;
}

uint32_t YmodemFileTransmit::write(uint8_t *buffer, uint32_t length)
{
    const qint64 count = serialPort->write(reinterpret_cast<const char *>(buffer), length);
    return count > 0 ? uint32_t(count) : 0;
}

QByteArray YmodemFileTransmit::readAll()
{
    return serialPort->readAll();
}
