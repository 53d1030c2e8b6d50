#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Joins MIDI bytes into complete System Exclusive messages (F0 ... F7).
// Real-time bytes (F8-FF) may stand anywhere and are skipped; any other status
// byte inside a message breaks it off. Everything outside System Exclusive
// (notes, controllers) is ignored.
class SysexAssembler
{
public:
    static constexpr int kMaxLength = 4096;

    // Appends complete messages to `messages` and describes every broken one
    // in `problems`.
    void feed(const QByteArray &bytes, QList<QByteArray> &messages, QStringList &problems);
    void reset();

private:
    QByteArray m_buffer;
    bool m_inSysex = false;
    bool m_overflow = false;
};

// The keyboard as far as its System Exclusive exchange goes: its 245-byte
// configuration, firmware version, reported note number and serial number.
class KeyboardModel
{
public:
    static constexpr int kBlockSize = 245;
    static constexpr int kRequestSize = 10;
    static constexpr int kSerialLength = 15;
    static constexpr int kSerialReplySize = 25;
    static constexpr unsigned char kReplyCommand = 0x02;

    struct Identity {
        unsigned char version[3] = {1, 0, 2};
        int note = 60;
        QByteArray serial = "RK7X-00000001";
    };

    // What one received message did.
    struct Outcome {
        QString event;          // the line to print
        QByteArray reply;       // to send back, may be empty
        bool changed = false;   // the configuration was rewritten
        bool enterLoader = false;
    };

    KeyboardModel();
    explicit KeyboardModel(const Identity &identity);

    // The configuration as a configuration reply carries it: F0 02 note
    // version 00 20 6F, the parameters, F7.
    QByteArray block() const { return m_block; }
    // The last configuration write exactly as it arrived (command byte 0x01
    // and the editor's header included); empty until one was stored.
    QByteArray lastWrite() const { return m_lastWrite; }
    // The factory parameters, offsets 9 to 243.
    static QByteArray factoryParameters();

    Outcome handle(const QByteArray &message);

    // Takes the parameters (offsets 9 to 243) of a 245-byte configuration or
    // of a preset file (4-byte big-endian length 245, then the block).
    bool loadParameters(const QByteArray &file, QString *error);

    // Checks the --version, --serial and --note values.
    static bool parseVersion(const QString &text, unsigned char version[3]);
    static bool validSerial(const QByteArray &serial);

private:
    QByteArray m_block;
    QByteArray m_lastWrite;
    Identity m_identity;
};
