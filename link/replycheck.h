#pragma once

#include <QByteArrayView>
#include <QStringView>

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

    bool valid() const { return kind == Valid; }
};

// Why a reply is not a valid answer to its request, in the order checkReply looks.
enum class ReplyFault
{
    None,      // a valid answer
    NoReply,   // nothing arrived
    Slave,     // another slave address
    Crc,       // the CRC does not fit the bytes
    Length,    // cut short, too long, or a frame with more bytes behind it
    Function,  // neither the request's function nor its exception
    ByteCount, // a read whose byte count is not twice the quantity asked for
    Echo,      // a write whose echoed address or quantity is not the request's
    Exception, // an exception reply
};
ReplyFault replyFault(QByteArrayView request, QByteArrayView reply);

// Length in bytes, CRC included, of the normal reply to a request (its bytes, CRC optional):
// function 0x03 reading 1-125 registers: 5 + 2 x quantity; function 0x10 writing 1-123: 8.
// 0 for anything else.
int expectedReplyLength(QByteArrayView request);

// Judges a reply to a request.
// Valid: slave 1, the request's function, exactly the expected length, valid CRC; for 0x03 the
// byte count agrees with the quantity asked for, for 0x10 the echoed address and quantity agree.
// Exception: slave 1, function | 0x80, 5 bytes, valid CRC.
// Invalid: anything else, including an empty reply.
ReplyCheck checkReply(QByteArrayView request, QByteArrayView reply);
// The same on a request frame text (CRC text included) and a reply text.
ReplyCheck checkReplyText(QStringView requestText, QStringView replyText);

// Length of the reply frame from slave 1 that starts `received`, when it is complete and its CRC
// is valid: 5 + byte count for 0x03, 8 for 0x10, 5 for an exception. 0 otherwise.
int leadingFrameLength(QByteArrayView received);
