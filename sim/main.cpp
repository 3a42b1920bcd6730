// velmora-programmer-sim: a simulated programmer (Modbus RTU slave 1) on a pseudo-terminal.
// This file holds the pseudo-terminal, the timing and the command line; the registers and the
// fault switches are in the library beside it. Run with --help for the whole description.

#include "sim/programmermodel.h"
#include "sim/responder.h"
#include "sim/rtu.h"
#include "sim/statefile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <type_traits>

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace {

const char kHelp[] = R"(Usage: velmora-programmer-sim [options]

A simulated Velmora programmer: a Modbus RTU slave (address 1, 115200 8N1) on a
pseudo-terminal. The first line on stdout is "PORT <path>", the device to open.
It ends on SIGTERM, SIGINT or SIGHUP (status 0), and with its parent process (Linux).

Options:
  --link PATH          also make the symlink PATH -> the pseudo-terminal (an existing
                       symlink is replaced; it is removed on exit); PORT shows PATH
  --state FILE         load the stored block from FILE at start if FILE exists; save it
                       there after every write that changes it (temporary file + rename)
  --turnaround-us N    answer N microseconds after the end of a request (default 2000)
  --pace               send replies at the wire rate of 115200 baud (86.8 us a byte);
                       without it a reply is written all at once
  --pace-packet N      with --pace, hand the bytes over N at a time, each packet once its
                       last byte is through, as a USB serial adapter does (default 1)
  --verbose            log every frame in hex to stderr
  -h, --help           show this text

Fault switches (combine freely):
  --no-answer          do not answer
  --no-answer-from N   answer requests 1 to N-1 normally, none from the N-th on
  --delay-ms N         wait N ms more before answering
  --truncate N         send only the first N bytes of the reply
  --bad-crc            send the reply with both CRC bytes inverted
  --exception CODE     answer with exception CODE (1-255) instead; the request is not
                       carried out
  --garbage N          send N pseudo-random bytes instead of the reply
  --oversize N         pad the reply with pseudo-random bytes to N bytes in total
  --reply-slave N      answer as slave N (0-255) instead of 1, with the CRC right for it
  --noise-before N     send N pseudo-random bytes just before the reply
  --twice              send the reply twice in a row
  --close-after N      after handling the N-th request (once the host has read the reply,
                       or 2 s at most), close the pseudo-terminal and exit with status 0
  --fault-request K    apply --no-answer, --delay-ms, --truncate, --bad-crc, --exception,
                       --garbage, --oversize, --reply-slave, --noise-before and --twice
                       only to the K-th request (default: to every request). --no-answer-from and
                       --close-after are not affected.

Requests: a request is a complete frame for slave 1 with a valid CRC; requests are
numbered from 1 in the order received. Frames for other slaves (broadcast 0 included),
frames with a bad CRC and fragments are ignored: never answered, not counted.
A request is carried out unless --exception hits it, even when its reply is then lost,
delayed or garbled. A faulty reply is built in this order: --garbage, else --exception,
else the normal reply; then --reply-slave, --bad-crc, --oversize, --truncate, --twice,
and last --noise-before.

Framing: a request ends when its length is complete (0x03: 8 bytes; 0x10: 9 + byte
count), or after 1.75 ms of silence (other functions, noise). After a frame of known
length with a bad CRC, everything up to the next silence is taken as one frame.

Registers (16-bit holding registers; function 0x03 reads 1-125 registers, function 0x10
writes 1-123 registers with byte count = 2 x quantity):
  0x9013-0x9015  clock, binary fields, high|low byte: minute|second, day|hour,
                 year-2000|month. Starts at the host's local time and runs on from the
                 value last written; an impossible date or time is refused (03).
  0x9200         count N. A write may store 0 to 59 or 0x5AA5, which erases the block
                 (count, checksum, name and both tables become 0, so the count reads 0);
                 any other value is refused (03). A state file may hold any count.
  0x9201         checksum, kept as written (not checked)
  0x9202-0x9209  product name
  0x920A-0x9244  address table (59 registers)
  0x9300-0x933A  value table (59 registers)
0x9200-0x9244 is one run: a request may span it; a multi-register write is carried out
in ascending order. A request reaching any register outside these runs gets exception
02; any other function gets 01; a bad quantity or byte count, or a refused value, 03
(a refused write changes nothing).

State file: text, one item a line, hex words of 1-4 digits separated by blanks;
blank lines and lines starting with '#' are skipped:
  count=003B
  checksum=ABCD
  name=4241 4443 0045 0000 0000 0000 0000 0000   (up to 8 words)
  addresses=9000 9001 ...                         (up to 59 words)
  values=0001 00C8 ...                            (up to 59 words)
Items and words left out are 0000. The clock is not kept in it.

Exit status: 0 after SIGTERM, SIGINT, SIGHUP or --close-after; 1 when the
pseudo-terminal, the link or the state file fails; 2 for a bad command line.
)";

constexpr long long kSilenceNs = 1'750'000;
constexpr long long kByteNs = 86'806; // 10 bits at 115200 baud
constexpr int kCloseGraceMs = 2000;

// Signal handlers can only reach static storage: the stop flag and the write end of the
// self-pipe that wakes the poll loop.
volatile sig_atomic_t stopRequested = 0;
int wakeWriteFd = -1;

void onStopSignal(int)
{
    const int savedErrno = errno;
    stopRequested = 1;
    const char c = 0;
    [[maybe_unused]] const ssize_t ignored = write(wakeWriteFd, &c, 1);
    errno = savedErrno;
}

struct Options
{
    std::string link;
    QString state;
    long long turnaroundUs = 2000;
    bool pace = false;
    long long pacePacket = 1;
    bool verbose = false;
    sim::FaultOptions faults;
};

enum class ParseResult
{
    Run,
    Help,
    Error,
};

bool parseNumber(const std::string &text, long long min, long long max, long long &out)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max)
        return false;
    out = value;
    return true;
}

ParseResult parseOptions(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string value;
        bool hasValue = false;
        if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
            hasValue = true;
        }
        const auto takeValue = [&]() -> bool {
            if (hasValue)
                return true;
            if (i + 1 >= argc)
                return false;
            value = argv[++i];
            return true;
        };
        const auto number = [&](long long min, long long max, auto &target) -> bool {
            long long n = 0;
            if (!takeValue() || !parseNumber(value, min, max, n))
                return false;
            target = static_cast<std::remove_reference_t<decltype(target)>>(n);
            return true;
        };
        const auto flag = [&](bool &target) {
            target = true;
            return !hasValue;
        };

        bool ok = true;
        if (name == "-h" || name == "--help")
            return ParseResult::Help;
        else if (name == "--link")
            ok = takeValue() && !value.empty() && (o.link = value, true);
        else if (name == "--state")
            ok = takeValue() && !value.empty() && (o.state = QString::fromLocal8Bit(value), true);
        else if (name == "--turnaround-us")
            ok = number(0, 10'000'000, o.turnaroundUs);
        else if (name == "--pace")
            ok = flag(o.pace);
        else if (name == "--pace-packet")
            ok = number(1, 4096, o.pacePacket);
        else if (name == "--verbose")
            ok = flag(o.verbose);
        else if (name == "--no-answer")
            ok = flag(o.faults.noAnswer);
        else if (name == "--no-answer-from")
            ok = number(1, INT_MAX, o.faults.noAnswerFrom);
        else if (name == "--delay-ms")
            ok = number(0, 600'000, o.faults.delayMs);
        else if (name == "--truncate")
            ok = number(0, 65'536, o.faults.truncate);
        else if (name == "--bad-crc")
            ok = flag(o.faults.badCrc);
        else if (name == "--exception")
            ok = number(1, 255, o.faults.exceptionCode);
        else if (name == "--garbage")
            ok = number(0, 65'536, o.faults.garbage);
        else if (name == "--oversize")
            ok = number(0, 65'536, o.faults.oversize);
        else if (name == "--reply-slave")
            ok = number(0, 255, o.faults.replySlave);
        else if (name == "--noise-before")
            ok = number(0, 65'536, o.faults.noiseBefore);
        else if (name == "--twice")
            ok = flag(o.faults.twice);
        else if (name == "--close-after")
            ok = number(1, INT_MAX, o.faults.closeAfter);
        else if (name == "--fault-request")
            ok = number(1, INT_MAX, o.faults.faultRequest);
        else {
            std::fprintf(stderr, "velmora-programmer-sim: unknown option %s (see --help)\n",
                         argv[i]);
            return ParseResult::Error;
        }
        if (!ok) {
            std::fprintf(stderr,
                         "velmora-programmer-sim: bad or missing value for %s (see --help)\n",
                         name.c_str());
            return ParseResult::Error;
        }
    }
    return ParseResult::Run;
}

timespec monotonicNow()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t;
}

timespec plusNs(timespec t, long long ns)
{
    const long long total = t.tv_nsec + ns;
    t.tv_sec += static_cast<time_t>(total / 1'000'000'000);
    t.tv_nsec = static_cast<long>(total % 1'000'000'000);
    return t;
}

long long nsBetween(const timespec &from, const timespec &to)
{
    return (static_cast<long long>(to.tv_sec) - from.tv_sec) * 1'000'000'000 +
           (to.tv_nsec - from.tv_nsec);
}

// Sleeps until the absolute monotonic time; false when a stop signal cut it short.
bool sleepUntil(const timespec &deadline)
{
    while (!stopRequested) {
        const int r = clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr);
        if (r != EINTR)
            return true;
    }
    return false;
}

void sleepMs(int ms)
{
    sleepUntil(plusNs(monotonicNow(), ms * 1'000'000LL));
}

// The master is non-blocking: when nobody reads the other side and its buffer is full, the
// rest is dropped after a second instead of hanging the simulator.
bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            if (stopRequested)
                return false;
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd, POLLOUT, 0};
            if (poll(&p, 1, 1000) <= 0)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

class Simulator
{
public:
    Simulator(const Options &options, sim::ProgrammerModel &model)
        : m_options(options), m_responder(model, options.faults), m_model(model)
    {
        m_started = monotonicNow();
    }
    ~Simulator();

    bool openPty();
    const std::string &portPath() const
    {
        return m_options.link.empty() ? m_ptsPath : m_options.link;
    }
    int run(int wakeReadFd);

private:
    bool handle(const QByteArray &frame, const timespec &end); // false: close and end
    void send(const QByteArray &reply);
    void waitUntilRead();
    void log(const char *what, const QByteArray &bytes, const std::string &note = {});

    const Options &m_options;
    sim::Responder m_responder;
    sim::ProgrammerModel &m_model;
    sim::RtuFramer m_framer;
    qsizetype m_droppedLogged = 0;
    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up when the host closes
    std::string m_ptsPath;
    bool m_linkMade = false;
    timespec m_started{};
};

Simulator::~Simulator()
{
    if (m_linkMade) {
        // Remove the link only if it still points at our terminal.
        char target[PATH_MAX] = {};
        const ssize_t n = readlink(m_options.link.c_str(), target, sizeof target - 1);
        if (n > 0 && m_ptsPath == std::string(target, static_cast<size_t>(n)))
            unlink(m_options.link.c_str());
    }
    if (m_master >= 0)
        close(m_master);
    if (m_slave >= 0)
        close(m_slave);
}

bool Simulator::openPty()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || fcntl(m_master, F_SETFD, FD_CLOEXEC) < 0 || grantpt(m_master) < 0 ||
        unlockpt(m_master) < 0) {
        std::perror("velmora-programmer-sim: posix_openpt");
        return false;
    }
#ifdef __linux__
    char name[128] = {};
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        std::perror("velmora-programmer-sim: ptsname");
        return false;
    }
    m_ptsPath = name;
#else
    const char *name = ptsname(m_master);
    if (!name) {
        std::perror("velmora-programmer-sim: ptsname");
        return false;
    }
    m_ptsPath = name;
#endif
    m_slave = open(m_ptsPath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios tio{};
    if (m_slave < 0 || tcgetattr(m_slave, &tio) < 0) {
        std::perror("velmora-programmer-sim: opening the pseudo-terminal");
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B115200);
    cfsetospeed(&tio, B115200);
    tio.c_cflag |= CLOCAL | CREAD;
    if (tcsetattr(m_slave, TCSANOW, &tio) < 0 ||
        fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK) < 0) {
        std::perror("velmora-programmer-sim: configuring the pseudo-terminal");
        return false;
    }

    if (!m_options.link.empty()) {
        struct stat st
        {
        };
        if (lstat(m_options.link.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                std::fprintf(stderr, "velmora-programmer-sim: %s exists and is not a symlink\n",
                             m_options.link.c_str());
                return false;
            }
            unlink(m_options.link.c_str());
        }
        if (symlink(m_ptsPath.c_str(), m_options.link.c_str()) < 0) {
            std::perror("velmora-programmer-sim: --link");
            return false;
        }
        m_linkMade = true;
    }
    return true;
}

void Simulator::log(const char *what, const QByteArray &bytes, const std::string &note)
{
    if (!m_options.verbose)
        return;
    const double seconds = nsBetween(m_started, monotonicNow()) / 1e9;
    const QByteArray hex = bytes.toHex(' ').toUpper();
    std::fprintf(stderr, "%10.6f %s %s%s%s\n", seconds, what, hex.constData(),
                 hex.isEmpty() || note.empty() ? "" : "  ", note.c_str());
    std::fflush(stderr);
}

int Simulator::run(int wakeReadFd)
{
    char buffer[512];
    timespec lastByte{};
    while (!stopRequested) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {wakeReadFd, POLLIN, 0}};
        timespec timeout{};
        timespec *timeoutPtr = nullptr;
        if (m_framer.hasPending()) {
            const long long left = kSilenceNs - nsBetween(lastByte, monotonicNow());
            timeout = plusNs(timespec{}, left > 0 ? left : 0);
            timeoutPtr = &timeout;
        }
        const int r = ppoll(fds, 2, timeoutPtr, nullptr);
        if (stopRequested)
            break;
        if (r < 0) {
            if (errno == EINTR)
                continue;
            std::perror("velmora-programmer-sim: poll");
            return 1;
        }
        if (r == 0) {
            if (m_framer.droppedBytes() != m_droppedLogged) {
                log("--", {},
                    std::to_string(m_framer.droppedBytes() - m_droppedLogged) +
                        " bytes dropped (a frame longer than 300 bytes)");
                m_droppedLogged = m_framer.droppedBytes();
            }
            if (const auto frame = m_framer.silence()) {
                if (!handle(*frame, lastByte))
                    return 0;
            }
            continue;
        }
        if (fds[0].revents & POLLIN) {
            const ssize_t n = read(m_master, buffer, sizeof buffer);
            if (n > 0) {
                lastByte = monotonicNow();
                for (const QByteArray &frame : m_framer.feed(QByteArrayView(buffer, n))) {
                    if (!handle(frame, lastByte))
                        return 0;
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                continue;
        }
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            // Should not happen while we hold the slave open; do not spin on it.
            sleepMs(10);
        }
    }
    return 0;
}

bool Simulator::handle(const QByteArray &frame, const timespec &end)
{
    const sim::Outcome o = m_responder.onFrame(frame);
    if (o.status != sim::FrameStatus::Ok) {
        log("RX", frame, std::string("(ignored: ") + sim::frameStatusText(o.status) + ")");
        return true;
    }
    std::string note = "#" + std::to_string(o.request);
    if (o.faulted && m_options.faults.faultRequest != 0)
        note += " (faults apply)";
    if (!o.executed)
        note += " (refused)";
    log("RX", frame, note);

    if (o.blockChanged && !m_options.state.isEmpty()) {
        QString error;
        if (!sim::saveStateFile(m_options.state, m_model.block(), &error))
            std::fprintf(stderr, "velmora-programmer-sim: saving %s: %s\n",
                         qPrintable(m_options.state), qPrintable(error));
    }

    if (!o.answer || o.reply.isEmpty()) {
        log("--", {}, "no answer to #" + std::to_string(o.request));
    } else {
        const long long waitNs = m_options.turnaroundUs * 1000 + o.extraDelayMs * 1'000'000LL;
        if (!sleepUntil(plusNs(end, waitNs)))
            return false;
        send(o.reply);
        log("TX", o.reply);
    }
    if (o.closeAfter) {
        if (o.answer && !o.reply.isEmpty())
            waitUntilRead();
        log("--", {}, "closing after #" + std::to_string(o.request));
        return false;
    }
    return true;
}

void Simulator::send(const QByteArray &reply)
{
    if (!m_options.pace) {
        writeAll(m_master, reply.constData(), static_cast<size_t>(reply.size()));
        return;
    }
    // Byte i leaves at start + i byte times; the frame takes exactly size byte times.
    const timespec start = monotonicNow();
    if (m_options.pacePacket > 1) {
        // A packet is handed over once its last byte would have come through.
        for (qsizetype i = 0; i < reply.size(); i += m_options.pacePacket) {
            const qsizetype end = std::min<qsizetype>(i + m_options.pacePacket, reply.size());
            if (!sleepUntil(plusNs(start, end * kByteNs)))
                return;
            writeAll(m_master, reply.constData() + i, static_cast<size_t>(end - i));
        }
        return;
    }
    for (qsizetype i = 0; i < reply.size(); ++i) {
        if (!sleepUntil(plusNs(start, i * kByteNs)))
            return;
        writeAll(m_master, reply.constData() + i, 1);
    }
    sleepUntil(plusNs(start, reply.size() * kByteNs));
}

// Closing the master hangs up the terminal, which flushes what the host has not read yet:
// wait until the reply has been taken (it shows in the input queue of the slave first).
void Simulator::waitUntilRead()
{
    const timespec start = monotonicNow();
    bool seen = false;
    while (!stopRequested) {
        int queued = 0;
        if (ioctl(m_slave, FIONREAD, &queued) < 0)
            return;
        seen = seen || queued > 0;
        const long long elapsedMs = nsBetween(start, monotonicNow()) / 1'000'000;
        if ((seen && queued == 0) || (!seen && elapsedMs > 100) || elapsedMs > kCloseGraceMs)
            return;
        sleepMs(2);
    }
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    switch (parseOptions(argc, argv, options)) {
    case ParseResult::Help:
        std::fputs(kHelp, stdout);
        return 0;
    case ParseResult::Error:
        return 2;
    case ParseResult::Run:
        break;
    }

#ifdef __linux__
    // End with the process that started us (tests, scripts), even if it is killed.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        return 0;
#endif

    int wakePipe[2];
    if (pipe(wakePipe) < 0) {
        std::perror("velmora-programmer-sim: pipe");
        return 1;
    }
    for (const int fd : wakePipe) {
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    }
    wakeWriteFd = wakePipe[1];
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        sigaction(sig, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim::ProgrammerModel model;
    if (!options.state.isEmpty() && QFile::exists(options.state)) {
        sim::StoredBlock block;
        QString error;
        if (!sim::loadStateFile(options.state, block, &error)) {
            std::fprintf(stderr, "velmora-programmer-sim: %s: %s\n", qPrintable(options.state),
                         qPrintable(error));
            return 1;
        }
        model.setBlock(block);
    }

    int status = 1;
    {
        Simulator simulator(options, model);
        if (simulator.openPty()) {
            std::printf("PORT %s\n", simulator.portPath().c_str());
            std::fflush(stdout);
            status = simulator.run(wakePipe[0]);
        }
    }
    return status;
}
