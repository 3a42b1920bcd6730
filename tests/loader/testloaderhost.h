#pragma once

#include "loader/loaderhost.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class GuardedBytes;

// A loader host for tests and fuzzing on any platform. Resources and reserved memory are buffers
// it owns, each followed directly by an inaccessible page where the platform allows, so that a
// read past their end faults. Libraries and their functions are fake handles and addresses; the
// calls of entry points and of the skin's attach function are recorded, never run.
class TestLoaderHost : public LoaderHost
{
public:
    static constexpr ModuleHandle Program = 0x00400000;

    struct Library
    {
        ModuleHandle handle = 0;
        std::map<std::string, HostAddress> functions;
        std::map<std::uint16_t, HostAddress> ordinals;
    };
    struct Reservation
    {
        HostAddress address = 0;
        std::uint32_t size = 0;
        bool committed = false;
        bool released = false;
    };
    struct EntryCall
    {
        HostAddress entry = 0;
        ModuleHandle instance = 0;
        std::uint32_t reason = 0;
    };
    struct SkinAttach
    {
        HostAddress function = 0;
        std::uint32_t dataId = 0;
        std::string dataType;
    };
    struct Message
    {
        QString text;
        QString caption;
    };

    TestLoaderHost();
    ~TestLoaderHost() override;

    // Set-up. Library names compare ignoring case, as on Windows.
    void addResource(const std::string &type, std::uint16_t id,
                     std::span<const std::uint8_t> bytes);
    void addLibrary(const std::string &name, Library library);
    bool preferredAddressFree = true;       // else every reservation at an address fails
    HostAddress chosenAddress = 0x00700000; // where "anywhere" lands
    std::uint32_t reservationLimit = 64 * 1024 * 1024;
    bool commitFails = false;
    bool entryPointResult = true;

    // What the loader did.
    std::vector<Reservation> reservations; // granted ones, in order
    std::vector<std::string> loadedLibraries;
    std::vector<ModuleHandle> freedLibraries;
    std::vector<std::string> functionLookups; // "name" or "#ordinal"
    std::vector<EntryCall> entryCalls;
    std::vector<SkinAttach> skinAttaches;
    std::vector<Message> messages;

    bool everyReservationReleased() const;
    // Every library loaded was freed again, as often as it was loaded.
    bool everyLibraryFreed() const;
    // The committed bytes of the live reservation at `address`; empty when there is none.
    std::span<const std::uint8_t> memoryAt(HostAddress address) const;
    // The 32-bit word at `address` inside a live reservation; 0xDEADBEEF outside one.
    std::uint32_t read32(HostAddress address) const;

    ModuleHandle programModule() override { return Program; }
    std::span<const std::uint8_t> findResource(ModuleHandle module, const char *type,
                                               std::uint16_t id) override;
    ImageMemory reserve(HostAddress address, std::uint32_t size) override;
    bool commit(ImageMemory &memory) override;
    void release(const ImageMemory &memory) override;
    ModuleHandle loadLibrary(const char *name) override;
    void freeLibrary(ModuleHandle library) override;
    HostAddress findFunction(ModuleHandle library, const char *name) override;
    HostAddress findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal) override;
    bool callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason) override;
    void callSkinAttach(HostAddress function, std::uint32_t dataId, const char *dataType) override;
    void showError(const QString &text, const QString &caption) override;

private:
    struct Block
    {
        std::size_t reservation = 0; // index into reservations
        std::unique_ptr<GuardedBytes> bytes;
    };
    const Library *library(ModuleHandle handle) const;
    const Block *liveBlock(HostAddress address) const;

    std::map<std::pair<std::string, std::uint16_t>, std::unique_ptr<GuardedBytes>> m_resources;
    std::map<std::string, Library> m_libraries; // by lower-case name
    std::vector<Block> m_blocks;                // reservations not yet released
};
