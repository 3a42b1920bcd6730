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

ProgrammerLink::ProgrammerLink(MessageService &messages, QObject *parent)
    : QObject(parent), m_messages(messages)
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &ProgrammerLink::onPortError);
}

ProgrammerLink::~ProgrammerLink() = default;

QStringList ProgrammerLink::enumeratePorts()
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &port : ports)
        names.append(port.portName());
    return portListEntries(std::move(names), qEnvironmentVariable("VELMORA_EXTRA_PORTS"));
}

bool ProgrammerLink::open(const QString &shownName)
{
    close();
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

void ProgrammerLink::close()
{
    // First, so that an error raised while closing does not close it again.
    m_portOpen = false;
    if (m_port.isOpen())
        m_port.close();
}

int ProgrammerLink::hexToBytes(const QString &text)
{
    HexParse parsed = parseHex(text);
    m_buffer = std::move(parsed.bytes);
    if (parsed.badDigit)
        m_messages.warning(Text::badHexData());
    return int(m_buffer.size());
}

QString ProgrammerLink::replyText() const
{
    return bytesToHexText(m_reply);
}

ReplyCheck ProgrammerLink::exchange(const QString &frameText)
{
    const int waitMs = (m_longWait ? LongWaitMs : ShortWaitMs) * m_waitScale;
    m_longWait = false;
    m_reply.clear();
    hexToBytes(frameText);
    if (!m_portOpen)
        return {};

    m_inExchange = true;
    m_front.reset();
    m_port.clearError();
    // Input is discarded before the request, never after it: a late reply to an earlier request
    // goes, a fast reply to this one stays.
    m_port.clear(QSerialPort::Input);
    sendBuffer();
    if (!deviceGone()) {
        waitForReply(waitMs);
        collectReply();
    }
    m_inExchange = false;
    // The reply is exactly the frame judged at the front, or it is no reply to this request.
    ReplyCheck check;
    if (m_front && m_front->length == m_reply.size())
        check = m_front->check;
    // A reply that made it in before the device went is still this request's answer; the next
    // exchange finds the port closed.
    if (deviceGone())
        closeLostPort(false);
    return check;
}

bool ProgrammerLink::portFailed(QSerialPort::SerialPortError error)
{
    // A pulled adapter gives a resource error. A hung-up terminal reads end-of-file, which Qt
    // reports as a read error, and keeps reporting as long as the port stays open.
    return error == QSerialPort::ResourceError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

void ProgrammerLink::onPortError(QSerialPort::SerialPortError error)
{
    // During an exchange the exchange itself closes the port once it is done with it.
    if (portFailed(error) && !m_inExchange && m_portOpen)
        closeLostPort(true);
}

void ProgrammerLink::closeLostPort(bool whileIdle)
{
    close();
    emit portLost(whileIdle);
}

void ProgrammerLink::sendBuffer()
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

void ProgrammerLink::waitForReply(int waitMs)
{
    const QDeadlineTimer deadline(waitMs, Qt::PreciseTimer);
    while (!deadline.hasExpired()) {
        if (replyAtFront() && !m_fixedWaits)
            return;
        if (!m_port.waitForReadyRead(int(deadline.remainingTime())) && deviceGone())
            return; // nothing more will arrive
    }
}

bool ProgrammerLink::replyAtFront()
{
    // A slow device may answer an earlier request after that exchange gave up: such a frame
    // arrives first and is not this request's reply; it goes.
    m_front.reset();
    QByteArray received;
    for (;;) {
        received = m_port.peek(m_port.bytesAvailable());
        const int length = leadingFrameLength(received);
        if (length == 0 || checkReply(m_buffer, QByteArrayView(received).first(length)).kind !=
                               ReplyCheck::Invalid)
            break;
        m_port.skip(length);
    }
    // The late answer may be to this very request (a repeated one), with its own answer right
    // behind it: of answers that follow one another, the last is the reply. The reply is
    // complete when nothing follows it; anything else behind it makes no answer.
    qsizetype at = 0;
    std::optional<FrontFrame> last;
    while (at < received.size()) {
        const int length = leadingFrameLength(QByteArrayView(received).sliced(at));
        if (length == 0)
            break;
        const ReplyCheck check = checkReply(m_buffer, QByteArrayView(received).sliced(at, length));
        if (check.kind == ReplyCheck::Invalid)
            break;
        last = FrontFrame{at, length, check};
        at += length;
    }
    if (!last || at != received.size())
        return false;
    m_front = last;
    return true;
}

void ProgrammerLink::collectReply()
{
    // Bytes the driver still holds join the reply.
    if (queuedInput() > 0)
        m_port.waitForReadyRead(0);
    if (replyAtFront()) {
        m_port.skip(m_front->offset);
        m_reply = m_port.read(m_front->length);
    } else {
        m_reply = m_port.read(MaxReplyBytes);
    }
    // Bytes beyond the limit and late bytes are lost.
    m_port.clear(QSerialPort::Input);
}

qint64 ProgrammerLink::queuedInput()
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
