#pragma once

#include "sim/programmermodel.h"
#include "sim/rtu.h"

#include <QByteArray>
#include <QByteArrayView>

namespace sim {

// Fault switches; see the --help text of velmora-programmer-sim for the user's view.
struct FaultOptions
{
    bool noAnswer = false; // reply faults (this group) hit every request, or only request
    int delayMs = 0;       // faultRequest when that is not 0
    int truncate = -1;     // -1: off
    bool badCrc = false;
    int exceptionCode = 0; // 0: off
    int garbage = -1;      // -1: off
    int oversize = -1;     // -1: off
    int replySlave = -1;   // -1: off; else the slave address the reply carries
    int noiseBefore = -1;  // -1: off; pseudo-random bytes sent ahead of the reply
    bool twice = false;    // the reply is sent twice in a row
    int faultRequest = 0;  // 0: all requests

    int noAnswerFrom = 0; // 0: off; requests >= this are not answered
    int closeAfter = 0;   // 0: off; close the port after handling this request
};

// What to do about one received frame.
struct Outcome
{
    FrameStatus status = FrameStatus::TooShort; // anything but Ok: ignored, not counted
    int request = 0;                            // number of the request, from 1; 0 when ignored
    bool faulted = false;                       // the reply faults applied to it
    bool executed = false;                      // the model handled the request
    bool blockChanged = false;                  // the stored block differs afterwards
    bool answer = false;                        // something is to be sent
    QByteArray reply;        // what to send (may be empty even when answer is set)
    int extraDelayMs = 0;    // on top of the turnaround
    bool closeAfter = false; // close the port and end after sending reply
};

// Counts the requests and turns each into the bytes to send, applying the fault switches.
//
// A request is a complete frame for slave 1 with a valid CRC; those are counted from 1. Other
// frames are ignored and not counted. A request is executed by the model unless --exception
// applies to it (the device refused it): a reply that is lost, delayed, cut or garbled belongs
// to a request that was carried out. The reply is built as: garbage if set, else the forced
// exception, else the model's reply; then it is readdressed to another slave (CRC made right for
// it), the CRC is flipped, padded up to the oversize length, truncated, doubled, and last
// preceded by noise.
class Responder
{
public:
    Responder(ProgrammerModel &model, const FaultOptions &faults);

    Outcome onFrame(QByteArrayView frame);
    int requestCount() const { return m_requests; }

private:
    QByteArray noise(int count);

    ProgrammerModel &m_model;
    FaultOptions m_faults;
    int m_requests = 0;
    quint32 m_noiseState = 0x9E3779B9u; // fixed start: the same run sends the same noise
};

} // namespace sim
