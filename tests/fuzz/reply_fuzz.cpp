#include "fuzzsupport.h"

#include "link/hexframe.h"
#include "link/replycheck.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/clockframe.h"
#include "programmer/clockoperations.h"
#include "programmer/programmeroperations.h"
#include "programmer/registermap.h"

#include <QCoreApplication>

// Every operation that decodes the programmer's replies, run against a programmer that answers
// from the input: read, update, clear, clock read and clock write. Whatever comes back, an
// operation ends with exactly one message, never sends more than its frames, and leaves only texts
// in the slots that a form or a transfer can take: 0..65535.

namespace {

const GroupSelection kSelections[] = {GroupSelection::None,        GroupSelection::Battery,
                                      GroupSelection::Load,        GroupSelection::LoadLed,
                                      GroupSelection::BatteryLoad, GroupSelection::All};

void CheckSlots(const ParameterSet &before, const ParameterSet &after)
{
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot) {
        if (after.values[slot] != before.values[slot]) {
            bool ok = false;
            const uint value = after.values[slot].toUInt(&ok);
            FUZZ_CHECK(ok && value <= 0xFFFF && QString::number(value) == after.values[slot]);
        }
    }
}

void RunOperation(FuzzInput &input)
{
    ParameterSet parameters;
    SelectionModel selection;
    FuzzedProgrammer programmer(input);
    const ProgrammerContext context{parameters, selection, programmer};

    const quint8 which = input.byte();
    const GroupSelection chosen = kSelections[(which >> 3) % std::size(kSelections)];
    selection.chooseProduct(int((which >> 6) % kProductTypes.size()));
    selection.restoreGroupSelection(chosen);
    const ParameterSet before = parameters;

    // Every result says what happened, in words.
    OperationResult result;
    switch (which % 5) {
    case 0:
        result = readProgrammer(context);
        FUZZ_CHECK(programmer.exchanges <= 5);
        break;
    case 1:
        result = updateProgrammer(context);
        FUZZ_CHECK(programmer.exchanges <= 5);
        FUZZ_CHECK(parameters.values == before.values);
        break;
    case 2:
        result = clearProgrammer(context);
        FUZZ_CHECK(programmer.exchanges <= 1);
        break;
    case 3: {
        const ClockReading reading = readProgrammerClock(programmer);
        FUZZ_CHECK(programmer.exchanges == 1);
        // A clock is shown exactly when the read completed.
        FUZZ_CHECK(reading.result.completed() == !reading.time.isEmpty());
        result = reading.result;
        break;
    }
    case 4: {
        ClockFields fields;
        fields.second = input.byte() % 60;
        fields.minute = input.byte() % 60;
        fields.hour = input.byte() % 24;
        fields.day = input.byte() % 31 + 1;
        fields.month = input.byte() % 12 + 1;
        fields.year = input.byte() % 100;
        result = writeProgrammerClock(programmer, fields);
        FUZZ_CHECK(programmer.exchanges == 1);
        break;
    }
    }
    FUZZ_CHECK(!result.message.isEmpty());
    CheckSlots(before, parameters);
}

void CheckRawReply(FuzzInput &input)
{
    // Any request the program sends, against any bytes.
    const QString requests[] = {readProductNameRequest(),
                                readCountRequest(),
                                readAddressTableRequest(GroupSelection::All),
                                readValueTableRequest(GroupSelection::Battery),
                                readChecksumRequest(),
                                clearRequest(),
                                readClockRequest()};
    const QByteArray request = parseHex(requests[input.byte() % std::size(requests)]).bytes;
    const QByteArray reply = input.rest().left(MaxReplyBytes);
    const ReplyCheck check = checkReply(request, reply);
    const int leading = leadingFrameLength(reply);
    FUZZ_CHECK(leading >= 0 && leading <= reply.size());
    if (check.valid()) {
        FUZZ_CHECK(leading == reply.size());
        const int count = (quint8(request.at(4)) << 8 | quint8(request.at(5)));
        FUZZ_CHECK(replyRegisters(reply, count).has_value());
        FUZZ_CHECK(replyValueTexts(reply, count).has_value());
    }
    if (check.kind == ReplyCheck::Exception)
        FUZZ_CHECK(reply.size() == 5);
    // Decoders on any bytes: they may find nothing, but never read outside the reply.
    replyStoredCount(reply);
    productNameFromReply(reply);
    clockFromReply(reply);
    replyRegister(reply, input.byte());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    if (input.byte() & 1)
        RunOperation(input);
    else
        CheckRawReply(input);
    return 0;
}
