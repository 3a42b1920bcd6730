#include "sim/responder.h"

namespace sim {

Responder::Responder(ProgrammerModel &model, const FaultOptions &faults)
    : m_model(model), m_faults(faults)
{
}

QByteArray Responder::noise(int count)
{
    QByteArray bytes;
    bytes.reserve(count);
    for (int i = 0; i < count; ++i) {
        // xorshift32
        m_noiseState ^= m_noiseState << 13;
        m_noiseState ^= m_noiseState >> 17;
        m_noiseState ^= m_noiseState << 5;
        bytes.append(static_cast<char>(m_noiseState >> 24));
    }
    return bytes;
}

Outcome Responder::onFrame(QByteArrayView frame)
{
    Outcome out;
    out.status = checkFrame(frame);
    if (out.status != FrameStatus::Ok)
        return out;

    out.request = ++m_requests;
    const FaultOptions &f = m_faults;
    out.faulted = f.faultRequest == 0 || f.faultRequest == out.request;
    out.closeAfter = f.closeAfter == out.request;

    const bool refuse = out.faulted && f.exceptionCode != 0;
    QByteArray reply;
    if (!refuse) {
        const StoredBlock before = m_model.block();
        reply = m_model.answer(frame);
        out.executed = true;
        out.blockChanged = !(before == m_model.block());
    }

    out.answer =
        !(out.faulted && f.noAnswer) && !(f.noAnswerFrom > 0 && out.request >= f.noAnswerFrom);
    if (!out.faulted) {
        out.reply = reply;
        return out;
    }

    if (f.garbage >= 0)
        reply = noise(f.garbage);
    else if (refuse)
        reply = exceptionFrame(static_cast<quint8>(frame[0]), static_cast<quint8>(frame[1]),
                               static_cast<quint8>(f.exceptionCode));
    if (f.replySlave >= 0 && reply.size() >= 4) {
        reply[0] = static_cast<char>(f.replySlave);
        reply.chop(2);
        appendCrc(reply);
    }
    if (f.badCrc && reply.size() >= 2) {
        reply[reply.size() - 2] = static_cast<char>(~reply[reply.size() - 2]);
        reply[reply.size() - 1] = static_cast<char>(~reply[reply.size() - 1]);
    }
    if (f.oversize > reply.size())
        reply += noise(f.oversize - static_cast<int>(reply.size()));
    if (f.truncate >= 0 && f.truncate < reply.size())
        reply.truncate(f.truncate);
    if (f.twice)
        reply += reply;
    if (f.noiseBefore > 0)
        reply.prepend(noise(f.noiseBefore));
    out.extraDelayMs = f.delayMs;
    out.reply = reply;
    return out;
}

} // namespace sim
