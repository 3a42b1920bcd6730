#include "link/programmerlink.h"

#include "link/hexframe.h"
#include "model/messageservice.h"
#include "model/texts.h"

#include <QDeadlineTimer>
#include <QSerialPortInfo>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

ProgrammerLink::ProgrammerLink(MessageService &messages) : m_messages(messages) {}

ProgrammerLink::~ProgrammerLink() = default;

QStringList ProgrammerLink::EnumeratePorts()
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names.append(port.portName());
    return PortListEntries(std::move(names), qEnvironmentVariable("VELMORA_EXTRA_PORTS"));
}

bool ProgrammerLink::Open(const QString &shownName)
{
    Close();
    if (shownName.isEmpty())
        return false;
    // A bare name means the platform's device of that name, a path is used as it is.
    m_port.setPortName(shownName);
    m_port.setBaudRate(QSerialPort::Baud115200);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    // Qt locks the port for the process (a lock file, and TIOCEXCL on POSIX).
    if (!m_port.open(QIODevice::ReadWrite))
        return false;
    m_port.clear(QSerialPort::AllDirections);
    m_portOpen = true;
    return true;
}

void ProgrammerLink::Close()
{
    if (m_port.isOpen())
        m_port.close();
    m_portOpen = false;
}

int ProgrammerLink::HexToBytes(const QString &text)
{
    HexParse parsed = ParseHex(text);
    m_buffer = std::move(parsed.bytes);
    if (parsed.badDigit)
        m_messages.warning(Text::BadHexData());
    return int(m_buffer.size());
}

QString ProgrammerLink::replyText() const
{
    return BytesToHexText(m_reply);
}

ReplyCheck ProgrammerLink::Exchange(const QString &frameText)
{
    const int waitMs = (m_longWait ? LongWaitMs : ShortWaitMs) * m_waitScale;
    m_longWait = false;
    m_reply.clear();
    HexToBytes(frameText);
    if (!m_portOpen)
        return {};

    m_port.clearError();
    // Input is discarded before the request, never after it: a late reply to an earlier request
    // goes, a fast reply to this one stays.
    m_port.clear(QSerialPort::Input);
    SendBuffer();
    WaitForReply(waitMs);
    CollectReply();
    // The reply is exactly the frame judged at the front, or it is no reply to this request.
    if (m_front && m_front->length == m_reply.size())
        return m_front->check;
    return {};
}

void ProgrammerLink::SendBuffer()
{
    if (m_buffer.isEmpty())
        return;
    m_port.write(m_buffer);
    // Generous: 127 bytes take 11 ms at 115200 baud.
    const QDeadlineTimer deadline(500 + m_buffer.size());
    while (m_port.bytesToWrite() > 0 && !deadline.hasExpired()) {
        if (!m_port.waitForBytesWritten(int(deadline.remainingTime())))
            break;
    }
#ifdef Q_OS_UNIX
    // Until the bytes have left the port; the reply cannot begin earlier.
    if (m_port.bytesToWrite() == 0)
        ::tcdrain(int(m_port.handle()));
#endif
}

void ProgrammerLink::WaitForReply(int waitMs)
{
    const QDeadlineTimer deadline(waitMs, Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        if (ReplyAtFront() && !m_fixedWaits)
            return;
        if (!m_port.waitForReadyRead(int(deadline.remainingTime())) &&
            m_port.error() == QSerialPort::ResourceError)
            return; // the device has gone; nothing more will arrive
    }
}

bool ProgrammerLink::ReplyAtFront()
{
    // A slow device may answer an earlier request after that exchange gave up: such a frame
    // arrives first and is not this request's reply.
    m_front.reset();
    for (;;) {
        const QByteArray received = m_port.peek(MaxReplyBytes);
        const int length = LeadingFrameLength(received);
        if (length == 0)
            return false;
        const ReplyCheck check = CheckReply(m_buffer, QByteArrayView(received).first(length));
        if (check.kind != ReplyCheck::Invalid) {
            m_front = FrontFrame{length, check};
            return true;
        }
        m_port.skip(length);
    }
}

void ProgrammerLink::CollectReply()
{
    // Bytes the driver still holds join the reply.
    if (QueuedInput() > 0)
        m_port.waitForReadyRead(0);
    ReplyAtFront();
    m_reply = m_port.read(MaxReplyBytes);
    // Bytes beyond the limit and late bytes are lost.
    m_port.clear(QSerialPort::Input);
}

qint64 ProgrammerLink::QueuedInput()
{
#ifdef Q_OS_UNIX
    // bytesAvailable() counts Qt's buffer only.
    int queued = 0;
    if (::ioctl(int(m_port.handle()), FIONREAD, &queued) == -1)
        return 0;
    return queued;
#else
    return 1; // unknown: always look
#endif
}
