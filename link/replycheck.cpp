#include "link/replycheck.h"

#include "link/hexframe.h"

namespace {

quint8 at(QByteArrayView bytes, qsizetype i)
{
    return quint8(bytes.at(i));
}

int word(QByteArrayView bytes, qsizetype i)
{
    return at(bytes, i) << 8 | at(bytes, i + 1);
}

} // namespace

int expectedReplyLength(QByteArrayView request)
{
    if (request.size() < 6)
        return 0;
    const int quantity = word(request, 4);
    switch (at(request, 1)) {
    case 0x03:
        return quantity >= 1 && quantity <= 125 ? 5 + 2 * quantity : 0;
    case 0x10:
        return quantity >= 1 && quantity <= 123 ? 8 : 0;
    default:
        return 0;
    }
}

ReplyCheck checkReply(QByteArrayView request, QByteArrayView reply)
{
    switch (replyFault(request, reply)) {
    case ReplyFault::None:
        return {ReplyCheck::Valid, 0};
    case ReplyFault::Exception:
        return {ReplyCheck::Exception, at(reply, 2)};
    default:
        return {};
    }
}

ReplyFault replyFault(QByteArrayView request, QByteArrayView reply)
{
    if (reply.isEmpty())
        return ReplyFault::NoReply;
    if (at(reply, 0) != ProgrammerSlave)
        return ReplyFault::Slave;
    if (reply.size() < 5)
        return ReplyFault::Length;
    // A frame followed by its own CRC (low byte first) has a CRC of zero.
    if (crc16Value(reply) != 0)
        return leadingFrameLength(reply) > 0 ? ReplyFault::Length : ReplyFault::Crc;
    if (request.size() < 6)
        return ReplyFault::Function; // no request this could answer
    const quint8 function = at(request, 1);
    if (at(reply, 1) == (function | 0x80))
        return reply.size() == 5 ? ReplyFault::Exception : ReplyFault::Length;
    if (at(reply, 1) != function)
        return ReplyFault::Function;
    if (reply.size() != expectedReplyLength(request))
        return ReplyFault::Length;
    if (function == 0x03 && at(reply, 2) != 2 * word(request, 4))
        return ReplyFault::ByteCount;
    if (function == 0x10 && reply.sliced(2, 4) != request.sliced(2, 4))
        return ReplyFault::Echo;
    return ReplyFault::None;
}

int leadingFrameLength(QByteArrayView received)
{
    if (received.size() < 5 || at(received, 0) != ProgrammerSlave)
        return 0;
    int length = 0;
    if (at(received, 1) & 0x80)
        length = 5;
    else if (at(received, 1) == 0x03)
        length = 5 + at(received, 2);
    else if (at(received, 1) == 0x10)
        length = 8;
    if (length == 0 || received.size() < length || crc16Value(received.first(length)) != 0)
        return 0;
    return length;
}

ReplyCheck checkReplyText(QStringView requestText, QStringView replyText)
{
    return checkReply(parseHex(requestText).bytes, parseHex(replyText).bytes);
}
