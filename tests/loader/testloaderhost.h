#pragma once

#include "loader/loaderhost.h"
#include "loader/resourcedllloader.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
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

// The libraries the sample imports, with fake handles and addresses. GetTickCount is missing on
// purpose: an unresolved function.
constexpr ModuleHandle Kernel32 = 0x77000000;
constexpr ModuleHandle User32 = 0x76000000;
constexpr HostAddress SleepAddress = 0x77001000;
constexpr HostAddress Ordinal7Address = 0x77003000;
constexpr HostAddress MessageBeepAddress = 0x76001000;

// A loader host for tests and fuzzing: the program carries `library` as its resource "DLL" 130,
// and KERNEL32.dll and USER32.dll can be loaded. The resource and committed memory are guarded
// bytes it owns; released memory is unmapped. Libraries and their functions are fake handles and
// addresses; the calls of entry points and of the skin's attach function are recorded, never run.
class TestLoaderHost : public LoaderHost
{
public:
    static constexpr ModuleHandle Program = 0x00400000;
    // Entry, instance, reason.
    using EntryCall = std::tuple<HostAddress, ModuleHandle, std::uint32_t>;

    explicit TestLoaderHost(std::span<const std::uint8_t> library)
        : resource(std::make_unique<GuardedBytes>(library.size()))
    {
        std::ranges::copy(library, resource->bytes.begin());
    }

    // Set-up.
    std::unique_ptr<GuardedBytes> resource;
    std::map<std::string, ModuleHandle> libraries{{"KERNEL32.dll", Kernel32},
                                                  {"USER32.dll", User32}}; // 0: cannot be loaded
    std::map<std::pair<ModuleHandle, std::string>, HostAddress> functions{
        {{Kernel32, "Sleep"}, SleepAddress},
        {{Kernel32, "#7"}, Ordinal7Address},
        {{User32, "MessageBeep"}, MessageBeepAddress}};
    HostAddress elsewhere = 0; // when set, the preferred address is taken; "anywhere" lands here
    std::uint32_t reservationLimit = 64 * 1024 * 1024;
    bool commitFails = false;
    bool entryPointResult = true;

    // What the loader did.
    std::vector<ModuleHandle> loadedLibraries;
    std::vector<ModuleHandle> freedLibraries;
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
        return it == m_memory.end() || !it->second ? std::span<std::uint8_t>() : it->second->bytes;
    }

    ModuleHandle programModule() override { return Program; }
    std::span<const std::uint8_t> findResource(ModuleHandle module, const char *type,
                                               std::uint16_t id) override
    {
        if (module != Program || std::string_view(type) != "DLL" || id != 130 || !resource)
            return {};
        return resource->bytes;
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
        const ModuleHandle handle = libraries[name];
        if (handle != 0)
            loadedLibraries.push_back(handle);
        return handle;
    }
    void freeLibrary(ModuleHandle library) override { freedLibraries.push_back(library); }
    HostAddress findFunction(ModuleHandle library, const char *name) override
    {
        const auto it = functions.find({library, name});
        return it == functions.end() ? 0 : it->second;
    }
    HostAddress findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal) override
    {
        return findFunction(library, ("#" + std::to_string(ordinal)).c_str());
    }
    bool callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason) override
    {
        entryCalls.emplace_back(entry, instance, reason);
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
    // Live reservations by address, with their bytes once committed.
    std::map<HostAddress, std::unique_ptr<GuardedBytes>> m_memory;
};

// A host carrying `file`, and a loader on it.
struct Rig
{
    explicit Rig(std::span<const std::uint8_t> file) : host(file) {}
    HostAddress load() { return loader.loadFromResource(TestLoaderHost::Program, "DLL", 130); }

    TestLoaderHost host;
    ResourceDllLoader loader{host};
};
