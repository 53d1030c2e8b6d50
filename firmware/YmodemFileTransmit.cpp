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
    // Answers are acted on when they arrive; the poll is left to count the
    // protocol's time limits.
    connect(serialPort, &QSerialPort::readyRead, this, &YmodemFileTransmit::processInput);
    connect(serialPort, &QSerialPort::bytesWritten, this, &YmodemFileTransmit::processInput);
    connect(writeTimer, &QTimer::timeout, this, &YmodemFileTransmit::writeTimeOut);
    // Queued: the port reports errors from inside its own notifications,
    // where closing it is not safe.
    connect(serialPort, &QSerialPort::errorOccurred, this, &YmodemFileTransmit::onPortError,
            Qt::QueuedConnection);
}

YmodemFileTransmit::~YmodemFileTransmit()
{
    endStepping();
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

bool YmodemFileTransmit::isCarriableName(const QString &name)
{
    for (const QChar c : name) {
        const ushort u = c.unicode();
        if (u < 0x20 || u > 0x7E || u == '\\')
            return false;
    }
    return true;
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
    openError = QSerialPort::NoError;
    openErrorText.clear();

    if (!serialPort->open(QIODevice::ReadWrite)) {
        openError = serialPort->error();
        openErrorText = serialPort->errorString();
        qDebug() << "serial port open failed:" << serialPort->portName() << openErrorText;
        serialPort->clearError();
        return false;
    }

    stepping = true;
    readTimer->start(PollInterval);
    // The receiver may have spoken before the port was opened.
    QTimer::singleShot(0, this, &YmodemFileTransmit::processInput);
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
    if (!stepping)
        return;  // idle, or the end is already on its way
    endStepping();
    cancelByCaller();
}

void YmodemFileTransmit::cancelByCaller()
{
    cancelTransfer();
    file->close();
    status = StatusAbort;
    writeTimer->start(EndDelay);
}

void YmodemFileTransmit::endStepping()
{
    stepping = false;
    readTimer->stop();
}

void YmodemFileTransmit::step()
{
    inStep = true;
    transmit();
    inStep = false;

    if (status != StatusEstablish && status != StatusTransmit) {
        // The engine has ended the transfer; the end timer reports it.
        endStepping();
        stopRequested = false;
        return;
    }
    if (stopRequested) {
        stopRequested = false;
        endStepping();
        cancelByCaller();
    }
}

// Steps the engine once per pending received byte, so every answer is acted
// on as soon as it arrives. Steps are only taken with input waiting: a step
// without input counts as one idle poll towards the protocol's time limits,
// and those are counted by the poll timer alone.
void YmodemFileTransmit::processInput()
{
    if (inStep || !stepping)
        return;
    // Each step with input takes at least one byte (the step that leaves the
    // idle stage takes none), so this bounds the loop; anything still left
    // is taken by the next notification or poll.
    qint64 budget = serialPort->bytesAvailable() + 2;
    while (stepping && budget-- > 0 && serialPort->bytesAvailable() > 0)
        step();
}

// The poll: acts on input a notification has not covered, and otherwise
// counts one idle poll. Runs every 10 ms while the transfer is under way.
void YmodemFileTransmit::readTimeOut()
{
    readTimer->stop();
    if (!stepping)
        return;
    if (serialPort->bytesAvailable() > 0)
        processInput();
    else
        step();
    if (stepping)
        readTimer->start(PollInterval);
}

// A device that disappears (unplugged, reset) leaves a hung-up line that
// reports readiness without end, so the event loop would spin until the
// engine's limits expire half a minute later. End the transfer with an error
// at once instead, but only after acting on what the receiver sent before it
// went: a loader that acknowledges the end of the batch and restarts at once
// has received the whole file.
void YmodemFileTransmit::onPortError(QSerialPort::SerialPortError error)
{
    const bool lost = error == QSerialPort::ResourceError
            || (error == QSerialPort::ReadError && lineHungUp());
    if (!lost)
        return;
    if (stepping)
        processInput();
    if (!stepping) {
        // Ended already (or just now); only stop the dead line from spinning.
        if (writeTimer->isActive() && serialPort->isOpen())
            serialPort->close();
        return;
    }
    qDebug() << "serial port lost:" << serialPort->errorString();
    endStepping();
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
        // The name is written as ASCII whatever the system's locale.
        const QString baseName = QFileInfo(file->fileName()).fileName();
        if (!isCarriableName(baseName)) {
            qDebug() << "file name not allowed in the YMODEM header:" << baseName;
            finishWith(StatusError);
            return CodeCan;
        }
        const QByteArray name = baseName.toLatin1();
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
