#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QStringView>

class MessageService;

// The programmer answers as Modbus RTU slave 1.
inline constexpr quint8 ProgrammerSlave = 1;
// Bytes of a reply that are kept; the rest is discarded.
inline constexpr int MaxReplyBytes = 256;

struct ReplyCheck
{
    enum Kind
    {
        Valid,
        Exception,
        Invalid
    };
    Kind kind = Invalid;
    int exceptionCode = 0; // set for Exception only
};

// Length in bytes, CRC included, of the normal reply to a request (its bytes, CRC optional):
// function 0x03 reading 1-125 registers: 5 + 2 x quantity; function 0x10 writing 1-123: 8.
// 0 for anything else.
int ExpectedReplyLength(QByteArrayView request);

// Judges a reply to a request.
// Valid: slave 1, the request's function, exactly the expected length, valid CRC; for 0x03 the
// byte count agrees with the quantity asked for, for 0x10 the echoed address and quantity agree.
// Exception: slave 1, function | 0x80, 5 bytes, valid CRC.
// Invalid: anything else, including an empty reply.
ReplyCheck CheckReply(QByteArrayView request, QByteArrayView reply);
// The same on a request frame text (CRC text included) and a reply text.
ReplyCheck CheckReplyText(QStringView requestText, QStringView replyText);

// Length of the reply frame from slave 1 that starts `received`, when it is complete and its CRC
// is valid: 5 + byte count for 0x03, 8 for 0x10, 5 for an exception. 0 otherwise.
int LeadingFrameLength(QByteArrayView received);

// Natural order of port names: letters by text, digit runs by value (COM2 < COM10,
// ttyS1 < ttyUSB0 < ttyUSB2 < ttyUSB10).
bool PortNameLess(QStringView a, QStringView b);
QStringList SortPortNames(QStringList names);
// The port list: the platform's port names in natural order, then the entries of `extraPorts`
// (split by the platform's path-list separator, empty pieces skipped) as given.
QStringList PortListEntries(QStringList platformNames, const QString &extraPorts);

// The serial link to the programmer: 115200 baud, 8 data bits, no parity, 1 stop bit, opened
// exclusively. Every call blocks the calling thread.
class ProgrammerLink
{
public:
    static constexpr int ShortWaitMs = 100;
    static constexpr int LongWaitMs = 180;

    explicit ProgrammerLink(MessageService &messages);
    ~ProgrammerLink();
    ProgrammerLink(const ProgrammerLink &) = delete;
    ProgrammerLink &operator=(const ProgrammerLink &) = delete;

    // The platform's serial ports (never opened) followed by the paths in VELMORA_EXTRA_PORTS.
    static QStringList EnumeratePorts();

    // Opens a port list entry (a port name or a device path). False when the name is empty,
    // the device is absent or another program holds it.
    bool Open(const QString &shownName);
    void Close();

    // Converts frame text into buffer(); a bad digit shows one warning and keeps the bytes
    // before it. Returns the byte count.
    int HexToBytes(const QString &text);

    // Sends a frame (its CRC text already appended) and leaves the reply in replyText(), at
    // most MaxReplyBytes: empty when nothing arrived. The wait ends when a complete reply to
    // this request is in, at the latest after ShortWaitMs (LongWaitMs once after
    // setLongWait()). Complete frames that answer another request (late replies) are dropped.
    void Exchange(const QString &frameText);

    bool portOpen() const { return m_portOpen; }
    bool longWait() const { return m_longWait; }
    void setLongWait(bool on = true) { m_longWait = on; }
    const QString &replyText() const { return m_replyText; }
    const QByteArray &buffer() const { return m_buffer; }

    // Fixed waits: every exchange waits its full time before collecting, as the programmer's
    // original timing did. For comparison only; off by default.
    bool fixedWaits() const { return m_fixedWaits; }
    void setFixedWaits(bool fixed) { m_fixedWaits = fixed; }

private:
    void SendBuffer();
    void WaitForReply(int waitMs);
    bool ReplyAtFront();
    void CollectReply();
    qint64 QueuedInput();

    MessageService &m_messages;
    QSerialPort m_port;
    bool m_portOpen = false;
    bool m_longWait = false;
    bool m_fixedWaits = false;
    QString m_replyText;
    QByteArray m_buffer;
};
