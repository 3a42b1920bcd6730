// Times a 59-slot update with --verify through velmora-cli on one programmer and on eight at
// once, each a paced velmora-programmer-sim (replies at 115200 baud), in one run. A rack sits
// on a hub of USB serial adapters, which hand the bytes over in packets: the simulators do the
// same (--pace-packet, 16 bytes by default), so that each byte is not a wake-up of its own. A
// rack of eight should take at most 1.3 times as long as one.

#include "bench/benchsupport.h"
#include "cli/cli.h"
#include "model/parameterset.h"
#include "programmer/parameterfile.h"
#include "support/simprocess.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr double kTargetRatio = 1.3;

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Times an update with --verify on 1 and on 8 programmers.");
    parser.addHelpOption();
    parser.addOption({"repetitions", "Runs of each (default 7).", "n", "7"});
    parser.addOption({"packet", "Bytes the adapters hand over at once (default 16).", "n", "16"});
    parser.process(app);
    const int repetitions = std::max(1, parser.value("repetitions").toInt());
    const int packet = std::max(1, parser.value("packet").toInt());

    QTemporaryDir dir;
    std::vector<std::unique_ptr<SimProcess>> sims;
    QStringList ports;
    for (int i = 0; i < 8; ++i) {
        sims.push_back(std::make_unique<SimProcess>(QStringList{"--pace", "--pace-packet",
                                                                QString::number(packet), "--state",
                                                                dir.filePath(QString::number(i))}));
        if (!sims.back()->started()) {
            std::fprintf(stderr, "cannot start %s\n", qPrintable(SimProcess::executable()));
            return 1;
        }
        ports << sims.back()->portPath();
    }
    QFile file(dir.filePath("block.txt"));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.write(formatParameterFile(ParameterSet(), "QM-XDJ", GroupSelection::All)))
        return 1;
    file.close();

    int failures = 0;
    const auto timed = [&](const QStringList &rack) {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        QElapsedTimer timer;
        timer.start();
        if (runCli({"update", "--verify", "--port", rack.join(','), file.fileName()}, out, err) !=
            kCliSuccess)
            ++failures;
        return double(timer.nsecsElapsed()) / 1e6;
    };
    QList<double> one;
    QList<double> eight;
    for (int r = 0; r < repetitions; ++r) {
        one.append(timed(ports.mid(0, 1)));
        eight.append(timed(ports));
    }
    const double oneMs = median(one);
    const double eightMs = median(eight);
    std::printf("59-slot update --verify through velmora-cli, median of %d (simulators, --pace, "
                "%d-byte packets)\n",
                repetitions, packet);
    std::printf("  1 programmer   %8.1f ms\n", oneMs);
    std::printf("  8 programmers  %8.1f ms (%.2fx)\n", eightMs, eightMs / oneMs);
    const bool met = eightMs <= kTargetRatio * oneMs;
    std::printf("target (8 within %.1fx of 1): %s\n", kTargetRatio, met ? "met" : "NOT met");
    if (failures > 0)
        std::printf("%d runs did not succeed\n", failures);
    return failures == 0 && met ? 0 : 1;
}
