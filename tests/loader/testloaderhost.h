#pragma once

#include "loader/loaderhost.h"
#include "loader/resourcedllloader.h"

#include <QByteArray>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

// Zero-filled bytes that end right before an inaccessible page, so that a read past their end
// faults; unmapped when they go.
struct GuardedBytes
{
    explicit GuardedBytes(std::size_t size)
    {
        const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        length = (size + page - 1) / page * page + page;
        mapping = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping == MAP_FAILED)
            qFatal("GuardedBytes: cannot map %zu bytes", length);
        auto *guard = static_cast<std::uint8_t *>(mapping) + length - page;
        mprotect(guard, page, PROT_NONE);
        bytes = {guard - size, size};
    }
    ~GuardedBytes() { munmap(mapping, length); }

    std::size_t length;
    void *mapping;
    std::span<std::uint8_t> bytes;
};

// A loader host for tests and fuzzing. Resources and committed memory are guarded bytes it owns;
// released memory is unmapped. Libraries and their functions are fake handles and addresses; the
// calls of entry points and of the skin's attach function are recorded, never run.
class TestLoaderHost : public LoaderHost
{
public:
    static constexpr ModuleHandle Program = 0x00400000;

    struct Library
    {
        ModuleHandle handle = 0;                      // 0: the library cannot be loaded
        std::map<std::string, HostAddress> functions; // by name, or "#ordinal"
    };
    struct EntryCall
    {
        HostAddress entry = 0;
        ModuleHandle instance = 0;
        std::uint32_t reason = 0;
        bool operator==(const EntryCall &) const = default;
    };

    // Set-up. Library names compare ignoring case, as on Windows.
    void addResource(const std::string &type, std::uint16_t id, std::span<const std::uint8_t> bytes)
    {
        auto copy = std::make_unique<GuardedBytes>(bytes.size());
        std::copy(bytes.begin(), bytes.end(), copy->bytes.begin());
        m_resources[{type, id}] = std::move(copy);
    }
    void addLibrary(const char *name, Library library) { m_libraries[lower(name)] = library; }
    HostAddress elsewhere = 0; // when set, the preferred address is taken; "anywhere" lands here
    std::uint32_t reservationLimit = 64 * 1024 * 1024;
    bool commitFails = false;
    bool entryPointResult = true;

    // What the loader did.
    std::vector<ModuleHandle> loadedLibraries;
    std::vector<ModuleHandle> freedLibraries;
    std::vector<std::string> functionLookups; // "name" or "#ordinal"
    std::vector<EntryCall> entryCalls;
    std::vector<std::pair<HostAddress, std::string>> skinAttaches; // function, "type id"
    std::vector<std::pair<QString, QString>> messages;             // text, caption

    bool everyReservationReleased() const { return m_memory.empty(); }
    // Every library loaded was freed again, in the reverse order.
    bool everyLibraryFreed() const
    {
        return std::equal(loadedLibraries.rbegin(), loadedLibraries.rend(), freedLibraries.begin(),
                          freedLibraries.end());
    }
    // The committed bytes of the reservation at `address`; empty when there is none.
    std::span<const std::uint8_t> memoryAt(HostAddress address) const
    {
        const auto it = m_memory.find(address);
        if (it == m_memory.end() || !it->second)
            return {};
        return it->second->bytes;
    }

    ModuleHandle programModule() override { return Program; }
    std::span<const std::uint8_t> findResource(ModuleHandle module, const char *type,
                                               std::uint16_t id) override
    {
        const auto it = m_resources.find({type, id});
        if (module != Program || it == m_resources.end())
            return {};
        return it->second->bytes;
    }
    ImageMemory reserve(HostAddress address, std::uint32_t size) override
    {
        if (size == 0 || size > reservationLimit || (address != 0) == (elsewhere != 0))
            return {};
        const HostAddress granted = address != 0 ? address : elsewhere;
        m_memory[granted] = nullptr;
        return {granted, size, {}};
    }
    bool commit(ImageMemory &memory) override
    {
        const auto it = m_memory.find(memory.address);
        if (commitFails || it == m_memory.end())
            return false;
        it->second = std::make_unique<GuardedBytes>(memory.size);
        memory.bytes = it->second->bytes;
        return true;
    }
    void release(const ImageMemory &memory) override { m_memory.erase(memory.address); }
    ModuleHandle loadLibrary(const char *name) override
    {
        const ModuleHandle handle = m_libraries[lower(name)].handle;
        if (handle != 0)
            loadedLibraries.push_back(handle);
        return handle;
    }
    void freeLibrary(ModuleHandle library) override { freedLibraries.push_back(library); }
    HostAddress findFunction(ModuleHandle library, const char *name) override
    {
        return function(library, name);
    }
    HostAddress findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal) override
    {
        return function(library, "#" + std::to_string(ordinal));
    }
    bool callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason) override
    {
        entryCalls.push_back({entry, instance, reason});
        return entryPointResult;
    }
    void callSkinAttach(HostAddress function, std::uint32_t dataId, const char *dataType) override
    {
        skinAttaches.emplace_back(function, dataType + (" " + std::to_string(dataId)));
    }
    void showError(const QString &text, const QString &caption) override
    {
        messages.emplace_back(text, caption);
    }

private:
    static std::string lower(const char *name) { return QByteArray(name).toLower().toStdString(); }
    HostAddress function(ModuleHandle library, const std::string &key)
    {
        functionLookups.push_back(key);
        for (const auto &[name, found] : m_libraries) {
            if (found.handle == library && found.functions.count(key) != 0)
                return found.functions.at(key);
        }
        return 0;
    }

    std::map<std::pair<std::string, std::uint16_t>, std::unique_ptr<GuardedBytes>> m_resources;
    std::map<std::string, Library> m_libraries; // by lower-case name
    // Live reservations by address, with their bytes once committed.
    std::map<HostAddress, std::unique_ptr<GuardedBytes>> m_memory;
};

// The libraries the sample imports, with fake handles and addresses. GetTickCount is missing on
// purpose: an unresolved function.
constexpr ModuleHandle Kernel32 = 0x77000000;
constexpr ModuleHandle User32 = 0x76000000;
constexpr HostAddress SleepAddress = 0x77001000;
constexpr HostAddress Ordinal7Address = 0x77003000;
constexpr HostAddress MessageBeepAddress = 0x76001000;

// `file` as the program's resource "DLL" 130, and both libraries present.
inline void prepare(TestLoaderHost &host, std::span<const std::uint8_t> file)
{
    host.addResource("DLL", 130, file);
    host.addLibrary("kernel32.dll", {Kernel32, {{"Sleep", SleepAddress}, {"#7", Ordinal7Address}}});
    host.addLibrary("user32.dll", {User32, {{"MessageBeep", MessageBeepAddress}}});
}

// A host prepared with `file`, and a loader on it.
struct Rig
{
    explicit Rig(std::span<const std::uint8_t> file) { prepare(host, file); }
    HostAddress load() { return loader.loadFromResource(TestLoaderHost::Program, "DLL", 130); }

    TestLoaderHost host;
    ResourceDllLoader loader{host};
};
