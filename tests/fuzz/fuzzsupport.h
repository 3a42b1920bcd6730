#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What the fuzz targets share: a way to fail loudly, and a reader over the input.

// A broken promise of the code under test: abort, so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void()                                                                          \
                 : (std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition),   \
                    std::abort()))

// Takes the fuzz input piece by piece; past its end every read gives zeros or nothing.
struct FuzzInput
{
    QByteArrayView rest;
    quint8 byte() { return rest.isEmpty() ? 0 : quint8(bytes(1).front()); }
    QByteArray bytes(qsizetype count)
    {
        const QByteArrayView taken = rest.first(qMin(count, rest.size()));
        rest = rest.sliced(taken.size());
        return taken.toByteArray();
    }
};
