#include "link/programmerlink.h"

#include "link/hexframe.h"
#include "model/messageservice.h"
#include "model/texts.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QSerialPortInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

quint8 At(QByteArrayView bytes, qsizetype i)
{
    return quint8(bytes.at(i));
}

int Word(QByteArrayView bytes, qsizetype i)
{
    return At(bytes, i) << 8 | At(bytes, i + 1);
}

bool IsDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

qsizetype RunEnd(QStringView text, qsizetype from)
{
    const bool digits = IsDigit(text.at(from));
    while (from < text.size() && IsDigit(text.at(from)) == digits)
        ++from;
    return from;
}

QStringView WithoutLeadingZeros(QStringView digits)
{
    while (digits.size() > 1 && digits.front() == u'0')
        digits = digits.sliced(1);
    return digits;
}

} // namespace

int ExpectedReplyLength(QByteArrayView request)
{
    if (request.size() < 6)
        return 0;
    const int quantity = Word(request, 4);
    switch (At(request, 1)) {
    case 0x03:
        return quantity >= 1 && quantity <= 125 ? 5 + 2 * quantity : 0;
    case 0x10:
        return quantity >= 1 && quantity <= 123 ? 8 : 0;
    default:
        return 0;
    }
}

ReplyCheck CheckReply(QByteArrayView request, QByteArrayView reply)
{
    // A frame followed by its own CRC (low byte first) has a CRC of zero.
    if (request.size() < 6 || reply.size() < 5 || At(reply, 0) != ProgrammerSlave ||
        Crc16Value(reply) != 0)
        return {};
    const quint8 function = At(request, 1);
    if (At(reply, 1) == (function | 0x80)) {
        if (reply.size() != 5)
            return {};
        return {ReplyCheck::Exception, At(reply, 2)};
    }
    if (At(reply, 1) != function || reply.size() != ExpectedReplyLength(request))
        return {};
    if (function == 0x03 && At(reply, 2) != 2 * Word(request, 4))
        return {};
    if (function == 0x10 && reply.sliced(2, 4) != request.sliced(2, 4))
        return {};
    return {ReplyCheck::Valid, 0};
}

int LeadingFrameLength(QByteArrayView received)
{
    if (received.size() < 5 || At(received, 0) != ProgrammerSlave)
        return 0;
    int length = 0;
    if (At(received, 1) & 0x80)
        length = 5;
    else if (At(received, 1) == 0x03)
        length = 5 + At(received, 2);
    else if (At(received, 1) == 0x10)
        length = 8;
    if (length == 0 || received.size() < length || Crc16Value(received.first(length)) != 0)
        return 0;
    return length;
}

ReplyCheck CheckReplyText(QStringView requestText, QStringView replyText)
{
    return CheckReply(ParseHex(requestText).bytes, ParseHex(replyText).bytes);
}

bool PortNameLess(QStringView a, QStringView b)
{
    // Compare run by run: digit runs by value, letter runs by text; a digit run sorts first.
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        const bool digitsA = IsDigit(a.at(i));
        const bool digitsB = IsDigit(b.at(j));
        if (digitsA != digitsB)
            return digitsA;
        const qsizetype endA = RunEnd(a, i);
        const qsizetype endB = RunEnd(b, j);
        QStringView runA = a.sliced(i, endA - i);
        QStringView runB = b.sliced(j, endB - j);
        if (digitsA) {
            runA = WithoutLeadingZeros(runA);
            runB = WithoutLeadingZeros(runB);
            if (runA.size() != runB.size())
                return runA.size() < runB.size();
        }
        if (const int c = runA.compare(runB, Qt::CaseInsensitive); c != 0)
            return c < 0;
        i = endA;
        j = endB;
    }
    if ((i < a.size()) != (j < b.size()))
        return j < b.size();
    return a.compare(b) < 0; // equal by value: COM01 vs COM1, com1 vs COM1
}

QStringList SortPortNames(QStringList names)
{
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return PortNameLess(a, b); });
    return names;
}

QStringList PortListEntries(QStringList platformNames, const QString &extraPorts)
{
    QStringList entries = SortPortNames(std::move(platformNames));
    entries += extraPorts.split(QDir::listSeparator(), Qt::SkipEmptyParts);
    return entries;
}

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

void ProgrammerLink::Exchange(const QString &frameText)
{
    const int waitMs = m_longWait ? LongWaitMs : ShortWaitMs;
    m_longWait = false;
    m_replyText.clear();
    HexToBytes(frameText);
    if (!m_portOpen)
        return;

    m_port.clearError();
    // Input is discarded before the request, never after it: a late reply to an earlier request
    // goes, a fast reply to this one stays.
    m_port.clear(QSerialPort::Input);
    SendBuffer();
    WaitForReply(waitMs);
    CollectReply();
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
    for (;;) {
        const QByteArray received = m_port.peek(MaxReplyBytes);
        const int length = LeadingFrameLength(received);
        if (length == 0)
            return false;
        if (CheckReply(m_buffer, QByteArrayView(received).first(length)).kind !=
            ReplyCheck::Invalid)
            return true;
        m_port.skip(length);
    }
}

void ProgrammerLink::CollectReply()
{
    // Bytes the driver still holds join the reply.
    if (QueuedInput() > 0)
        m_port.waitForReadyRead(0);
    ReplyAtFront();
    const QByteArray reply = m_port.read(MaxReplyBytes);
    // Bytes beyond the limit and late bytes are lost.
    m_port.clear(QSerialPort::Input);
    m_replyText = BytesToHexText(reply);
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
