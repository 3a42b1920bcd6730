#include "fuzzsupport.h"

#include "link/hexframe.h"
#include "link/programmerexchange.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/clockframe.h"
#include "programmer/clockoperations.h"
#include "programmer/programmeroperations.h"
#include "programmer/registermap.h"

// Every operation that decodes the programmer's replies, run against a programmer that answers
// from the input: read, update, clear, clock read and clock write. Whatever comes back, an
// operation ends with a message, never sends more than its frames, and leaves only texts in the
// slots that a form or a transfer can take: 0..65535. And the reply check and every decoder on
// any bytes against any request the program sends.

namespace {

// Answers each request from the input. A control byte picks the kind of answer: silence, raw
// bytes, an exception, or a well-formed answer (right slave, function, length and CRC) whose
// register contents come from the input, so that decoders see arbitrary data.
struct FuzzedProgrammer : ProgrammerExchange
{
    explicit FuzzedProgrammer(FuzzInput &input) : m_input(input) {}
    bool portOpen() const override { return true; }
    void setLongWait(bool) override {}
    const QByteArray &reply() const override { return m_reply; }
    ReplyCheck exchange(const QString &frameText) override
    {
        ++exchanges;
        const HexParse request = parseHex(frameText);
        FUZZ_CHECK(!request.badDigit);
        m_reply = answer(request.bytes).left(MaxReplyBytes);
        const ReplyCheck check = checkReply(request.bytes, m_reply);
        FUZZ_CHECK(!check.valid() || m_reply.size() == expectedReplyLength(request.bytes));
        return check;
    }
    QByteArray answer(const QByteArray &request)
    {
        const quint8 control = m_input.byte();
        QByteArray reply = request.left(2);
        if (control % 4 < 2) // silence, or whatever the input says
            return m_input.bytes(control % 4 ? m_input.byte() + (control & 0x80 ? 256 : 0) : 0);
        if (control % 4 == 2) { // an exception
            reply[1] = char(reply[1] | 0x80);
            reply.append(char(m_input.byte()));
        } else if (request.at(1) == 0x03) { // registers read
            const int bytes = 2 * (quint8(request.at(4)) << 8 | quint8(request.at(5)));
            reply.append(char(bytes)).append(m_input.bytes(bytes).leftJustified(bytes, '\0'));
        } else { // registers written
            reply.append(request.mid(2, 4));
        }
        const quint16 crc = crc16Value(reply);
        return reply.append(char(crc & 0xFF)).append(char(crc >> 8));
    }

    FuzzInput &m_input;
    QByteArray m_reply;
    int exchanges = 0;
};

void runOperation(FuzzInput &input)
{
    ParameterSet parameters;
    SelectionModel selection;
    FuzzedProgrammer programmer(input);
    const quint8 which = input.byte();
    selection.chooseProduct(int((which >> 6) % kProductTypes.size()));
    selection.restoreGroupSelection(GroupSelection((which >> 3) % 6)); // None to All
    const ParameterSet before = parameters;
    const ProgrammerContext context{parameters, selection, programmer};

    OperationResult result;
    const int operation = which % 5;
    if (operation == 0) {
        result = readProgrammer(context);
    } else if (operation == 1) {
        result = updateProgrammer(context);
        FUZZ_CHECK(parameters.values == before.values);
    } else if (operation == 2) {
        result = clearProgrammer(context);
    } else if (operation == 3) {
        const ClockReading reading = readProgrammerClock(programmer);
        // A clock is shown exactly when the read completed.
        FUZZ_CHECK(reading.result.completed() == !reading.time.isEmpty());
        result = reading.result;
    } else {
        result = writeProgrammerClock(programmer, {input.byte() % 60, input.byte() % 60,
                                                   input.byte() % 24, input.byte() % 31 + 1,
                                                   input.byte() % 12 + 1, input.byte() % 100});
    }
    // Up to five frames for a read or an update, one for a clear, exactly one for the clock.
    FUZZ_CHECK(!result.message.isEmpty() && programmer.exchanges <= (operation < 2 ? 5 : 1));
    FUZZ_CHECK(operation < 3 || programmer.exchanges == 1);
    // A changed slot holds the decimal text of a 16-bit word.
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
        bool ok = false;
        const uint value = parameters.values[slot].toUInt(&ok);
        FUZZ_CHECK(parameters.values[slot] == before.values[slot] ||
                   (ok && value <= 0xFFFF && QString::number(value) == parameters.values[slot]));
    }
}

void checkRawReply(FuzzInput &input)
{
    const QString requests[] = {readProductNameRequest(),
                                readCountRequest(),
                                readAddressTableRequest(GroupSelection::All),
                                readValueTableRequest(GroupSelection::Battery),
                                clearRequest(),
                                readClockRequest()};
    const QByteArray request = parseHex(requests[input.byte() % std::size(requests)]).bytes;
    const QByteArray reply = input.bytes(MaxReplyBytes);
    const ReplyCheck check = checkReply(request, reply);
    const int leading = leadingFrameLength(reply);
    FUZZ_CHECK(leading >= 0 && leading <= reply.size());
    if (check.valid()) {
        const int count = quint8(request.at(4)) << 8 | quint8(request.at(5));
        FUZZ_CHECK(leading == reply.size() && replyRegisters(reply, count).has_value() &&
                   replyValueTexts(reply, count).has_value());
    }
    FUZZ_CHECK(check.kind != ReplyCheck::Exception || reply.size() == 5);
    // Decoders on any bytes: they may find nothing, but never read outside the reply.
    replyStoredCount(reply);
    productNameFromReply(reply);
    clockFromReply(reply);
    replyRegister(reply, input.byte());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input{{data, qsizetype(size)}};
    input.byte() & 1 ? runOperation(input) : checkRawReply(input);
    return 0;
}
