#pragma once

#include <QString>

#include <cstdint>
#include <span>

// A module or library handle of the host system; opaque to the loader.
using ModuleHandle = std::uintptr_t;
// An address as the mapped image sees it. The loader never dereferences one: it reads and writes
// the image only through the bytes the host committed for it.
using HostAddress = std::uint64_t;

// Memory reserved for one image. `bytes` is empty until the host commits the reservation.
struct ImageMemory
{
    HostAddress address = 0;
    std::uint32_t size = 0;
    std::span<std::uint8_t> bytes;
};

// What the resource library loader needs of the system it runs on. The Windows host makes the
// documented Win32 calls; the test host records the calls and runs no foreign code.
class LoaderHost
{
public:
    virtual ~LoaderHost() = default;

    // The handle of the program's own executable module.
    virtual ModuleHandle programModule() = 0;
    // The raw bytes of resource `id` of `type` in `module`, read-only and valid while the host
    // lives; empty when there is no such resource.
    virtual std::span<const std::uint8_t> findResource(ModuleHandle module, const char *type,
                                                       std::uint16_t id) = 0;

    // Reserves `size` bytes at `address`, or where the host chooses when `address` is 0. A null
    // address in the result means nothing was reserved.
    virtual ImageMemory reserve(HostAddress address, std::uint32_t size) = 0;
    // Commits the whole reservation readable, writable and executable; it then reads as zeros.
    virtual bool commit(ImageMemory &memory) = 0;
    virtual void release(const ImageMemory &memory) = 0;

    // 0 when the library cannot be loaded.
    virtual ModuleHandle loadLibrary(const char *name) = 0;
    virtual void freeLibrary(ModuleHandle library) = 0;
    // 0 when the library has no such function.
    virtual HostAddress findFunction(ModuleHandle library, const char *name) = 0;
    virtual HostAddress findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal) = 0;

    // Calls a library entry point as (instance, reason, reserved = 0); returns its boolean result.
    virtual bool callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason) = 0;
    // Calls the skin library's attach function with its skin data resource (`dataId` of
    // `dataType` in the program), an empty text and three zeros; its result is of no use.
    virtual void callSkinAttach(HostAddress function, std::uint32_t dataId,
                                const char *dataType) = 0;

    // A message box without owner, with an error icon and an OK button.
    virtual void showError(const QString &text, const QString &caption) = 0;
};
