#include "fuzzsupport.h"

#include "sim/programmermodel.h"
#include "sim/responder.h"
#include "sim/rtu.h"

// The simulator's request framing: any byte stream, cut into reads of any size with silences
// anywhere, goes through the framer and each frame through the responder and the register
// model. No byte is lost or made up, no frame outgrows the limit, and every request for slave 1
// gets a well-formed answer.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input{{data, qsizetype(size)}};
    sim::ProgrammerModel model([] { return qint64(0); },
                               QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58)));
    sim::Responder responder(model, sim::FaultOptions{});
    sim::RtuFramer framer;

    qsizetype fed = 0, framed = 0;
    int requests = 0;
    const auto handle = [&](const QByteArray &frame) {
        FUZZ_CHECK(!frame.isEmpty() && frame.size() <= sim::RtuFramer::kMaxFrame);
        framed += frame.size();
        const sim::Outcome outcome = responder.onFrame(frame);
        if (outcome.status != sim::FrameStatus::Ok) {
            FUZZ_CHECK(outcome.request == 0 && !outcome.answer);
            return;
        }
        FUZZ_CHECK(outcome.request == ++requests && outcome.answer && outcome.executed);
        const QByteArray &reply = outcome.reply;
        FUZZ_CHECK(reply.size() >= 5 && sim::checkFrame(reply) == sim::FrameStatus::Ok);
        FUZZ_CHECK((quint8(reply[1]) | 0x80) == (quint8(frame[1]) | 0x80));
    };

    while (!input.rest.isEmpty()) {
        // A control byte: how many bytes arrive together, and whether the line then goes quiet.
        const quint8 control = input.byte();
        const QByteArray chunk = input.bytes(control & 0x3F);
        fed += chunk.size();
        for (const QByteArray &frame : framer.feed(chunk))
            handle(frame);
        if (control & 0x80) {
            if (const auto frame = framer.silence())
                handle(*frame);
            FUZZ_CHECK(!framer.hasPending());
        }
    }
    if (const auto frame = framer.silence())
        handle(*frame);
    FUZZ_CHECK(fed == framed + framer.droppedBytes() && responder.requestCount() == requests);
    return 0;
}
