#include "link/replycheck.h"

#include "link/hexframe.h"

namespace {

quint8 At(QByteArrayView bytes, qsizetype i)
{
    return quint8(bytes.at(i));
}

int Word(QByteArrayView bytes, qsizetype i)
{
    return At(bytes, i) << 8 | At(bytes, i + 1);
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
