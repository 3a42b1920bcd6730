#pragma once

#include "link/portlist.h"
#include "link/programmerexchange.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class MessageService;

// The serial link to the programmer: 115200 baud, 8 data bits, no parity, 1 stop bit, opened
// exclusively. Every call blocks the calling thread.
//
// A device that goes away (adapter pulled, terminal closed) makes the port fail: the link then
// closes the port itself and emits portLost(), during an exchange (which gives no reply, and the
// operation reports it) or, while idle, from the event loop.
class ProgrammerLink : public QObject, public ProgrammerExchange
{
    Q_OBJECT

public:
    static constexpr int ShortWaitMs = 100;
    static constexpr int LongWaitMs = 180;

    explicit ProgrammerLink(MessageService &messages, QObject *parent = nullptr);
    ~ProgrammerLink() override;
    ProgrammerLink(const ProgrammerLink &) = delete;
    ProgrammerLink &operator=(const ProgrammerLink &) = delete;

    // The platform's serial ports (never opened) followed by the paths in VELMORA_EXTRA_PORTS.
    static QStringList enumeratePorts();

    // Opens a port list entry (a port name or a device path). False when the name is empty,
    // the device is absent or another program holds it.
    bool open(const QString &shownName);
    void close();

    // Converts frame text into buffer(); a bad digit shows one warning and keeps the bytes
    // before it. Returns the byte count.
    int hexToBytes(const QString &text);

    // Sends a frame (its CRC text already appended) and keeps the reply, at most
    // MaxReplyBytes: empty when nothing arrived. The wait ends when a complete reply to this
    // request is in, at the latest after ShortWaitMs (LongWaitMs once after setLongWait()).
    // Complete frames that answer another request (late replies) are dropped; of answers to
    // this request that follow one another, the last counts. Anything else after the answer
    // makes no answer.
    ReplyCheck exchange(const QString &frameText) override;

    bool portOpen() const override { return m_portOpen; }
    bool longWait() const { return m_longWait; }
    void setLongWait(bool on = true) override { m_longWait = on; }
    const QByteArray &reply() const override { return m_reply; }
    // The reply as two upper-case hex digits per byte, no separators.
    QString replyText() const;
    const QByteArray &buffer() const { return m_buffer; }

    // Multiplies both waits; 1 in the program. Tests raise it so that a busy machine cannot
    // turn a slow answer into a time-out.
    int waitScale() const { return m_waitScale; }
    void setWaitScale(int factor) { m_waitScale = qMax(1, factor); }

    // Fixed waits: every exchange waits its full time before collecting, as the programmer's
    // original timing did. For comparison only; off by default.
    bool fixedWaits() const { return m_fixedWaits; }
    void setFixedWaits(bool fixed) { m_fixedWaits = fixed; }

signals:
    // The port failed and has been closed; portOpen() is false. `whileIdle`: no exchange was
    // running, so no operation has told the user.
    void portLost(bool whileIdle);

private:
    void onPortError(QSerialPort::SerialPortError error);
    static bool portFailed(QSerialPort::SerialPortError error);
    bool deviceGone() const { return portFailed(m_port.error()); }
    void closeLostPort(bool whileIdle);
    void sendBuffer();
    void waitForReply(int waitMs);
    bool replyAtFront();
    void collectReply();
    qint64 queuedInput();

    MessageService &m_messages;
    QSerialPort m_port;
    bool m_portOpen = false;
    bool m_inExchange = false;
    bool m_longWait = false;
    bool m_fixedWaits = false;
    int m_waitScale = 1;
    QByteArray m_reply;
    // The complete frame that answers this request, as found at the front of the input.
    struct FrontFrame
    {
        qsizetype offset; // behind earlier answers to the same request
        qsizetype length;
        ReplyCheck check;
    };
    std::optional<FrontFrame> m_front;
    QByteArray m_buffer;
};
