#pragma once

#include "link/programmerexchange.h"
#include "model/messageservice.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

// What the fuzz targets share: a way to fail loudly, a reader over the input, a message sink
// and a programmer that answers from the input.

// A broken promise of the code under test: abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFailed(#condition, __FILE__, __LINE__);                                            \
    } while (false)
[[noreturn]] void FuzzFailed(const char *condition, const char *file, int line);

// Takes the fuzz input piece by piece; past its end every read gives zeros or nothing.
class FuzzInput
{
public:
    FuzzInput(const std::uint8_t *data, std::size_t size)
        : m_bytes(reinterpret_cast<const char *>(data), qsizetype(size))
    {
    }
    bool atEnd() const { return m_bytes.isEmpty(); }
    quint8 byte();
    QByteArray bytes(qsizetype count);
    QByteArray rest();

private:
    QByteArrayView m_bytes;
};

class RecordingMessages : public MessageService
{
public:
    void warning(const QString &text) override { texts.append(text); }
    void info(QObject *, const QString &text) override { texts.append(text); }
    QStringList texts;
};

// Answers each request from the input. A control byte picks the kind of answer: silence, raw
// bytes, an exception, or a well-formed answer (right slave, function, length and CRC) whose
// register contents come from the input, so that decoders see arbitrary data.
class FuzzedProgrammer : public ProgrammerExchange
{
public:
    explicit FuzzedProgrammer(FuzzInput &input) : m_input(input) {}

    bool portOpen() const override { return true; }
    void setLongWait(bool on) override { m_longWait = on; }
    ReplyCheck exchange(const QString &frameText) override;
    const QByteArray &reply() const override { return m_reply; }

    int exchanges = 0;

private:
    QByteArray Answer(const QByteArray &request);

    FuzzInput &m_input;
    QByteArray m_reply;
    bool m_longWait = false;
};

// Appends the Modbus CRC, low byte first.
void AppendCrc(QByteArray &frame);
