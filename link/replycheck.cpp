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
    // A frame followed by its own CRC (low byte first) has a CRC of zero.
    if (request.size() < 6 || reply.size() < 5 || at(reply, 0) != ProgrammerSlave ||
        crc16Value(reply) != 0)
        return {};
    const quint8 function = at(request, 1);
    if (at(reply, 1) == (function | 0x80)) {
        if (reply.size() != 5)
            return {};
        return {ReplyCheck::Exception, at(reply, 2)};
    }
    if (at(reply, 1) != function || reply.size() != expectedReplyLength(request))
        return {};
    if (function == 0x03 && at(reply, 2) != 2 * word(request, 4))
        return {};
    if (function == 0x10 && reply.sliced(2, 4) != request.sliced(2, 4))
        return {};
    return {ReplyCheck::Valid, 0};
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
