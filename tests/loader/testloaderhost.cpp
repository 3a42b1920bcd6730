#include "tests/loader/testloaderhost.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_ASAN 1
#endif

#if defined(Q_OS_UNIX) && !defined(VELMORA_ASAN)
#define VELMORA_GUARD_PAGES 1
#include <sys/mman.h>
#include <unistd.h>
#else
#include <vector>
#endif

// Zero-filled bytes that end right before an inaccessible page. Under the address sanitizer a
// plain heap buffer serves better: it catches reads on both sides.
class GuardedBytes
{
public:
    explicit GuardedBytes(std::size_t size) : m_size(size)
    {
#ifdef VELMORA_GUARD_PAGES
        const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t dataPages = (size + page - 1) / page;
        m_mappingSize = (dataPages + 1) * page;
        void *mapping = mmap(nullptr, m_mappingSize, PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapping == MAP_FAILED)
            qFatal("TestLoaderHost: cannot map %zu bytes", m_mappingSize);
        m_mapping = static_cast<std::uint8_t *>(mapping);
        mprotect(m_mapping + dataPages * page, page, PROT_NONE);
        m_data = m_mapping + dataPages * page - size;
#else
        m_buffer.assign(size, 0);
        m_data = m_buffer.data();
#endif
    }
    ~GuardedBytes()
    {
#ifdef VELMORA_GUARD_PAGES
        munmap(m_mapping, m_mappingSize);
#endif
    }
    GuardedBytes(const GuardedBytes &) = delete;
    GuardedBytes &operator=(const GuardedBytes &) = delete;

    std::span<std::uint8_t> bytes()
    {
        return {m_data, m_size};
    }

private:
    std::size_t m_size;
    std::uint8_t *m_data = nullptr;
#ifdef VELMORA_GUARD_PAGES
    std::uint8_t *m_mapping = nullptr;
    std::size_t m_mappingSize = 0;
#else
    std::vector<std::uint8_t> m_buffer;
#endif
};

namespace {

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

} // namespace

TestLoaderHost::TestLoaderHost() = default;
TestLoaderHost::~TestLoaderHost() = default;

void TestLoaderHost::addResource(const std::string &type, std::uint16_t id,
                                 std::span<const std::uint8_t> bytes)
{
    auto copy = std::make_unique<GuardedBytes>(bytes.size());
    if (!bytes.empty())
        std::memcpy(copy->bytes().data(), bytes.data(), bytes.size());
    m_resources[{type, id}] = std::move(copy);
}

void TestLoaderHost::addLibrary(const std::string &name, Library library)
{
    m_libraries[lower(name)] = std::move(library);
}

bool TestLoaderHost::everyReservationReleased() const
{
    return std::all_of(reservations.begin(), reservations.end(),
                       [](const Reservation &r) { return r.released; });
}

bool TestLoaderHost::everyLibraryFreed() const
{
    std::map<ModuleHandle, int> count;
    for (const std::string &name : loadedLibraries) {
        if (const auto it = m_libraries.find(lower(name)); it != m_libraries.end())
            ++count[it->second.handle];
    }
    for (ModuleHandle handle : freedLibraries)
        --count[handle];
    return std::all_of(count.begin(), count.end(), [](const auto &c) { return c.second == 0; });
}

std::span<const std::uint8_t> TestLoaderHost::memoryAt(HostAddress address) const
{
    const Block *block = liveBlock(address);
    if (block == nullptr || reservations[block->reservation].address != address)
        return {};
    return block->bytes->bytes();
}

std::uint32_t TestLoaderHost::read32(HostAddress address) const
{
    const Block *block = liveBlock(address);
    if (block == nullptr)
        return 0xDEADBEEF;
    const std::span<std::uint8_t> bytes = block->bytes->bytes();
    const HostAddress offset = address - reservations[block->reservation].address;
    if (offset + 4 > bytes.size())
        return 0xDEADBEEF;
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

std::span<const std::uint8_t> TestLoaderHost::findResource(ModuleHandle module, const char *type,
                                                           std::uint16_t id)
{
    if (module != Program)
        return {};
    const auto it = m_resources.find({type, id});
    if (it == m_resources.end())
        return {};
    return it->second->bytes();
}

ImageMemory TestLoaderHost::reserve(HostAddress address, std::uint32_t size)
{
    if (size == 0 || size > reservationLimit)
        return {};
    if (address != 0 && !preferredAddressFree)
        return {};
    const HostAddress granted = address != 0 ? address : chosenAddress;
    for (const Block &block : m_blocks) {
        const Reservation &taken = reservations[block.reservation];
        if (granted < taken.address + taken.size && taken.address < granted + size)
            return {};
    }
    reservations.push_back({granted, size, false, false});
    m_blocks.push_back({reservations.size() - 1, nullptr});
    return {granted, size, {}};
}

bool TestLoaderHost::commit(ImageMemory &memory)
{
    if (commitFails)
        return false;
    for (Block &block : m_blocks) {
        Reservation &reservation = reservations[block.reservation];
        if (reservation.address == memory.address && !reservation.released) {
            block.bytes = std::make_unique<GuardedBytes>(reservation.size);
            reservation.committed = true;
            memory.bytes = block.bytes->bytes();
            return true;
        }
    }
    return false;
}

void TestLoaderHost::release(const ImageMemory &memory)
{
    for (auto it = m_blocks.begin(); it != m_blocks.end(); ++it) {
        if (reservations[it->reservation].address == memory.address) {
            reservations[it->reservation].released = true;
            m_blocks.erase(it);
            return;
        }
    }
}

ModuleHandle TestLoaderHost::loadLibrary(const char *name)
{
    loadedLibraries.emplace_back(name);
    const auto it = m_libraries.find(lower(name));
    if (it == m_libraries.end()) {
        loadedLibraries.pop_back();
        return 0;
    }
    return it->second.handle;
}

void TestLoaderHost::freeLibrary(ModuleHandle library)
{
    freedLibraries.push_back(library);
}

HostAddress TestLoaderHost::findFunction(ModuleHandle handle, const char *name)
{
    functionLookups.emplace_back(name);
    const Library *found = library(handle);
    if (found == nullptr)
        return 0;
    const auto it = found->functions.find(name);
    return it == found->functions.end() ? 0 : it->second;
}

HostAddress TestLoaderHost::findFunctionByOrdinal(ModuleHandle handle, std::uint16_t ordinal)
{
    functionLookups.push_back("#" + std::to_string(ordinal));
    const Library *found = library(handle);
    if (found == nullptr)
        return 0;
    const auto it = found->ordinals.find(ordinal);
    return it == found->ordinals.end() ? 0 : it->second;
}

bool TestLoaderHost::callEntryPoint(HostAddress entry, ModuleHandle instance, std::uint32_t reason)
{
    entryCalls.push_back({entry, instance, reason});
    return entryPointResult;
}

void TestLoaderHost::callSkinAttach(HostAddress function, std::uint32_t dataId,
                                    const char *dataType)
{
    skinAttaches.push_back({function, dataId, dataType});
}

void TestLoaderHost::showError(const QString &text, const QString &caption)
{
    messages.push_back({text, caption});
}

const TestLoaderHost::Library *TestLoaderHost::library(ModuleHandle handle) const
{
    for (const auto &entry : m_libraries) {
        if (entry.second.handle == handle)
            return &entry.second;
    }
    return nullptr;
}

const TestLoaderHost::Block *TestLoaderHost::liveBlock(HostAddress address) const
{
    for (const Block &block : m_blocks) {
        const Reservation &reservation = reservations[block.reservation];
        if (block.bytes && address >= reservation.address &&
            address - reservation.address < reservation.size)
            return &block;
    }
    return nullptr;
}
