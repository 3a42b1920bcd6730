// Times the five exchanges of a 59-slot update and of a 59-slot read over ProgrammerLink, each
// once ending the wait at the complete reply and once with the fixed waits (100 ms, 180 ms for
// the checksum write), against velmora-programmer-sim sending at the wire rate of 115200 baud.

#include "bench/benchsupport.h"
#include "link/hexframe.h"
#include "link/programmerlink.h"
#include "support/messagerecorder.h"
#include "support/simprocess.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int SlotCount = 59;

struct Step
{
    QString frame; // CRC text included
    bool longWait = false;
};

QString hex(int value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QList<Step> updateSteps()
{
    const QByteArray name = "BENCH 59 SLOTS!!"; // 16 characters, the most the register holds
    QString nameDigits;
    QByteArray image; // the checksummed block, each word low byte first
    for (int i = 0; i < name.size(); i += 2) {
        // First character low, second high; on the wire the high byte comes first.
        nameDigits += hex(quint8(name[i + 1]), 2) + hex(quint8(name[i]), 2);
        image += name.mid(i, 2);
    }
    image += char(SlotCount);
    image += char(0);
    QString addresses;
    QString values;
    for (int k = 0; k < SlotCount; ++k) {
        const int address = 0x9000 + k;
        const int value = 1200 + 7 * k;
        addresses += hex(address, 4);
        values += hex(value, 4);
        for (const int word : {address, value}) {
            image += char(word & 0xFF);
            image += char(word >> 8);
        }
    }
    const quint16 checksum = crc16Value(image);
    const QString count = hex(SlotCount, 4);
    const QString byteCount = hex(2 * SlotCount, 2);
    return {
        {withCrc("01 10 92 02 00 08 10" + nameDigits)},
        {withCrc("01 10 92 00 00 01 02" + count)},
        {withCrc("01 10 92 0A" + count + byteCount + addresses)},
        {withCrc("01 10 93 00" + count + byteCount + values)},
        {withCrc("01 10 92 01 00 01 02 " + hex(checksum >> 8, 2) + " " + hex(checksum & 0xFF, 2)),
         true},
    };
}

QList<Step> readSteps()
{
    const QString count = hex(SlotCount, 4);
    return {
        {withCrc("01 03 92 02 00 08")},   {withCrc("01 03 92 00 00 01")},
        {withCrc("01 03 92 0A" + count)}, {withCrc("01 03 93 00" + count)},
        {withCrc("01 03 92 01 00 01")},
    };
}

struct Run
{
    double ms = 0;
    int badReplies = 0;
};

Run runSteps(ProgrammerLink &link, const QList<Step> &steps)
{
    Run run;
    QElapsedTimer timer;
    timer.start();
    for (const Step &step : steps) {
        link.setLongWait(step.longWait);
        link.exchange(step.frame);
        if (checkReplyText(step.frame, link.replyText()).kind != ReplyCheck::Valid)
            ++run.badReplies;
    }
    run.ms = double(timer.nsecsElapsed()) / 1e6;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Times 59-slot transfers: early end against fixed waits.");
    parser.addHelpOption();
    parser.addOption({"repetitions", "Runs of each sequence and mode (default 7).", "n", "7"});
    parser.addOption({"port", "Use this device instead of starting the simulator.", "path"});
    parser.addOption({"sim", "The simulator to start.", "path", SimProcess::executable()});
    parser.process(app);
    const int repetitions = std::max(1, parser.value("repetitions").toInt());

    std::unique_ptr<SimProcess> sim;
    QString port = parser.value("port");
    if (port.isEmpty()) {
        sim = std::make_unique<SimProcess>(QStringList{"--pace"}, parser.value("sim"));
        port = sim->portPath();
        if (port.isEmpty()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(parser.value("sim")));
            return 1;
        }
    }

    MessageRecorder messages;
    ProgrammerLink link(messages);
    if (!link.open(port)) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(port));
        return 1;
    }

    struct Sequence
    {
        const char *name;
        QList<Step> steps;
        QList<double> early;
        QList<double> fixed;
    };
    QList<Sequence> sequences = {{"update, 59 slots", updateSteps(), {}, {}},
                                 {"read, 59 slots", readSteps(), {}, {}}};
    int badReplies = 0;
    for (int r = 0; r < repetitions; ++r) {
        for (Sequence &sequence : sequences) {
            for (const bool fixed : {false, true}) {
                link.setFixedWaits(fixed);
                const Run run = runSteps(link, sequence.steps);
                (fixed ? sequence.fixed : sequence.early).append(run.ms);
                badReplies += run.badReplies;
            }
        }
    }
    link.close();
    sim.reset();
    for (const MessageRecorder::Entry &entry : messages.entries)
        std::fprintf(stderr, "message: %s\n", qPrintable(entry.text));

    std::printf("%d repetitions on %s%s; medians of five exchanges\n", repetitions,
                qPrintable(port), parser.isSet("port") ? "" : " (simulator, --pace)");
    std::printf("%-18s %12s %12s %12s\n", "sequence", "early end", "fixed waits", "fixed/early");
    bool fastEnough = true;
    for (const Sequence &sequence : sequences) {
        const double early = median(sequence.early);
        const double fixed = median(sequence.fixed);
        fastEnough = fastEnough && fixed >= 5 * early;
        std::printf("%-18s %9.1f ms %9.1f ms %11.1fx\n", sequence.name, early, fixed,
                    fixed / early);
    }
    std::printf("target (early end at least 5x faster): %s\n", fastEnough ? "met" : "NOT met");
    if (badReplies > 0)
        std::printf("%d replies were not valid\n", badReplies);
    return badReplies == 0 && fastEnough ? 0 : 1;
}
