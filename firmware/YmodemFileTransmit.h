#pragma once

#include "firmware/Ymodem.h"

#include <QObject>
#include <QSerialPort>
#include <QString>

class QFile;
class QTimer;

// Sends one local file over a serial port with the YMODEM engine. The engine
// acts on every answer as it arrives; a 10 ms poll counts the protocol's time
// limits. Progress and outcome are reported by signals.
// The terminal status (finish, abort, timeout, error) is emitted 100 ms after
// the engine ends the transfer, once the port has been closed again.
class YmodemFileTransmit : public QObject, public Ymodem
{
    Q_OBJECT

public:
    // The engine's status values, published for signals and QML.
    enum Status {
        StatusEstablish = Ymodem::StatusEstablish,
        StatusTransmit = Ymodem::StatusTransmit,
        StatusFinish = Ymodem::StatusFinish,
        StatusAbort = Ymodem::StatusAbort,
        StatusTimeout = Ymodem::StatusTimeout,
        StatusError = Ymodem::StatusError
    };
    Q_ENUM(Status)

    static constexpr int PollInterval = 10;     // ms between idle polls
    static constexpr int EndDelay = 100;        // ms from the engine's end to the final signal

    explicit YmodemFileTransmit(QObject *parent = nullptr);
    ~YmodemFileTransmit() override;

    void setFileName(const QString &path);
    void setPortName(const QString &name);
    void setPortBaudRate(int baud);

    QString fileName() const;
    QString portName() const;
    int portBaudRate() const;

    bool isRunning() const;

    // Whether every character of name can go into block 0 as it is: the
    // name is written there as ASCII, so only printable ASCII (0x20 to 0x7E)
    // without the backslash, which loaders may take for a directory
    // separator. A file whose name fails this is refused, never renamed.
    static bool isCarriableName(const QString &name);
    int currentProgress() const { return progress; }
    // Why the last startTransmit() could not open the port (NoError when it
    // could, or when it was refused because a transfer was running).
    QSerialPort::SerialPortError lastOpenError() const { return openError; }
    QString lastOpenErrorString() const { return openErrorText; }
    Status currentStatus() const { return status; }

public slots:
    // Opens the port and starts polling. False when the port cannot be opened
    // or a transfer is still running; nothing is emitted then.
    bool startTransmit();
    // Cancels a running transfer from this side: sends the cancel sequence
    // (five CAN bytes), closes the file and ends like a receiver abort, with
    // transmitStatus(StatusAbort) 100 ms later once the port is closed.
    // Does nothing when idle or when the transfer is already ending.
    void stopTransmit();

signals:
    void transmitProgress(int progress);
    void transmitStatus(YmodemFileTransmit::Status status);

private slots:
    void readTimeOut();
    void writeTimeOut();
    void onPortError(QSerialPort::SerialPortError error);
    void processInput();

private:
    Code callback(Ymodem::Status status, uint8_t *buffer, uint32_t *length) override;
    uint32_t read(uint8_t *buffer, uint32_t length) override;
    uint32_t write(uint8_t *buffer, uint32_t length) override;
    QByteArray readAll() override;

    void finishWith(Status finalStatus);
    void cancelByCaller();
    void step();
    void endStepping();
    bool lineHungUp() const;

    QFile *file;
    QTimer *readTimer;
    QTimer *writeTimer;
    QSerialPort *serialPort;
    int progress;
    Status status;
    qint64 fileSize;
    qint64 fileCount;
    bool inStep = false;         // inside an engine step (signals may re-enter)
    bool stopRequested = false;  // stopTransmit() arrived during a step
    bool stepping = false;       // the engine is running (not idle, not ending)
    QSerialPort::SerialPortError openError = QSerialPort::NoError;
    QString openErrorText;
};
