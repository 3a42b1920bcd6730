#include "fuzzsupport.h"

#include "link/hexframe.h"
#include "link/replycheck.h"

#include <cstdio>

void FuzzFailed(const char *condition, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, condition);
    std::abort();
}

quint8 FuzzInput::byte()
{
    if (m_bytes.isEmpty())
        return 0;
    const quint8 b = quint8(m_bytes.front());
    m_bytes = m_bytes.sliced(1);
    return b;
}

QByteArray FuzzInput::bytes(qsizetype count)
{
    const QByteArrayView taken = m_bytes.first(qMin(count, m_bytes.size()));
    m_bytes = m_bytes.sliced(taken.size());
    return taken.toByteArray();
}

QByteArray FuzzInput::rest()
{
    return bytes(m_bytes.size());
}

void AppendCrc(QByteArray &frame)
{
    const quint16 crc = crc16Value(frame);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
}

ReplyCheck FuzzedProgrammer::exchange(const QString &frameText)
{
    ++exchanges;
    m_longWait = false;
    const HexParse request = parseHex(frameText);
    FUZZ_CHECK(!request.badDigit);
    m_reply = Answer(request.bytes).left(MaxReplyBytes);
    const ReplyCheck check = checkReply(request.bytes, m_reply);
    if (check.valid())
        FUZZ_CHECK(m_reply.size() == expectedReplyLength(request.bytes));
    return check;
}

QByteArray FuzzedProgrammer::Answer(const QByteArray &request)
{
    const quint8 control = m_input.byte();
    QByteArray reply;
    switch (control % 4) {
    case 0: // silence
        return {};
    case 1: // whatever the input says
        return m_input.bytes(m_input.byte() + (control & 0x80 ? 256 : 0));
    case 2: // an exception
        reply = QByteArray("\x01", 1);
        reply.append(char(quint8(request.at(1)) | 0x80));
        reply.append(char(m_input.byte()));
        break;
    case 3: // a well-formed answer
        reply = request.left(2);
        if (request.at(1) == 0x03) {
            const int bytes = 2 * (quint8(request.at(4)) << 8 | quint8(request.at(5)));
            reply.append(char(bytes));
            reply.append(m_input.bytes(bytes).leftJustified(bytes, '\0'));
        } else {
            reply.append(request.mid(2, 4));
        }
        break;
    }
    AppendCrc(reply);
    return reply;
}
