#include "loader/resourcedllloader.h"

#include "model/texts.h"

namespace {

// Reasons passed to a library entry point.
constexpr std::uint32_t ProcessDetach = 0;
constexpr std::uint32_t ProcessAttach = 1;

// PE32 addresses are 32 bits wide: a mapped image must end at or below 4 GiB.
constexpr std::uint64_t AddressSpace32 = std::uint64_t(1) << 32;

} // namespace

ResourceDllLoader::ResourceDllLoader(LoaderHost &host) : m_host(host) {}

ResourceDllLoader::~ResourceDllLoader()
{
    unload();
}

HostAddress ResourceDllLoader::loadFromResource(ModuleHandle instance, const char *type,
                                                std::uint16_t id)
{
    unload();
    m_instance = instance;
    const Pe32::Bytes file = m_host.findResource(instance, type, id);
    if (file.empty())
        return 0;
    const std::optional<Pe32::Headers> headers = Pe32::readHeaders(file);
    if (!headers)
        return refuseMalformed();

    ImageMemory memory = reserveImage(*headers);
    if (memory.address == 0)
        return 0;
    // Both values are below 4 GiB; the 32-bit difference is what the relocated words need.
    const auto delta = static_cast<std::uint32_t>(memory.address - headers->imageBase);
    if (!Pe32::copySections(file, *headers, memory.bytes) ||
        !Pe32::applyRelocations(memory.bytes, headers->relocations, delta)) {
        releaseAll(memory);
        return refuseMalformed();
    }
    const std::optional<std::vector<Pe32::ImportedLibrary>> imports =
        Pe32::readImports(memory.bytes, headers->imports);
    if (!imports) {
        releaseAll(memory);
        return refuseMalformed();
    }
    if (!bindImports(*imports, memory.bytes)) {
        releaseAll(memory);
        return 0;
    }

    if (headers->entryPoint != 0) {
        const HostAddress entryPoint = memory.address + headers->entryPoint;
        if (!m_host.callEntryPoint(entryPoint, m_instance, ProcessAttach)) {
            // A library that fails to start is detached again and let go, as the system's own
            // loader does.
            m_host.callEntryPoint(entryPoint, m_instance, ProcessDetach);
            releaseAll(memory);
            return 0;
        }
        m_entryPoint = entryPoint;
    }
    m_image = memory;
    m_exports = headers->exports;
    return m_image.address;
}

HostAddress ResourceDllLoader::findExport(std::string_view name) const
{
    if (m_image.address == 0)
        return 0;
    const std::uint32_t rva = Pe32::findExport(m_image.bytes, m_exports, name);
    return rva == 0 ? 0 : m_image.address + rva;
}

HostAddress ResourceDllLoader::findExport(std::uint16_t ordinal) const
{
    if (m_image.address == 0)
        return 0;
    const std::uint32_t rva = Pe32::findExport(m_image.bytes, m_exports, ordinal);
    return rva == 0 ? 0 : m_image.address + rva;
}

void ResourceDllLoader::unload()
{
    if (m_image.address == 0)
        return;
    if (m_entryPoint != 0)
        m_host.callEntryPoint(m_entryPoint, m_instance, ProcessDetach);
    releaseAll(m_image);
    m_image = {};
    m_entryPoint = 0;
    m_exports = {};
}

HostAddress ResourceDllLoader::refuseMalformed()
{
    m_host.showError(Text::invalidDllResource(), Text::invalidDllCaption());
    return 0;
}

ImageMemory ResourceDllLoader::reserveImage(const Pe32::Headers &headers)
{
    ImageMemory memory = m_host.reserve(headers.imageBase, headers.sizeOfImage);
    if (memory.address == 0)
        memory = m_host.reserve(0, headers.sizeOfImage);
    if (memory.address == 0)
        return {};
    if (!Pe32::fits(AddressSpace32, memory.address, headers.sizeOfImage) ||
        !m_host.commit(memory) || memory.bytes.size() != headers.sizeOfImage) {
        m_host.release(memory);
        return {};
    }
    return memory;
}

bool ResourceDllLoader::bindImports(const std::vector<Pe32::ImportedLibrary> &imports,
                                    Pe32::MutableBytes image)
{
    for (const Pe32::ImportedLibrary &import : imports) {
        const ModuleHandle library = m_host.loadLibrary(import.name.c_str());
        if (library == 0) {
            m_host.showError(Text::dllLoadFailed(QString::fromLocal8Bit(import.name)),
                             Text::dllLoadFailedCaption());
            return false;
        }
        m_libraries.push_back(library);
        std::uint64_t slot = import.addressTable;
        for (const Pe32::ImportedFunction &function : import.functions) {
            HostAddress address = function.name.empty()
                                      ? m_host.findFunctionByOrdinal(library, function.ordinal)
                                      : m_host.findFunction(library, function.name.c_str());
            // A slot holds 32 bits; an address beyond them would be cut into a wrong one.
            if (address >= AddressSpace32)
                address = 0;
            if (!Pe32::write32(image, slot, static_cast<std::uint32_t>(address)))
                return false;
            slot += 4;
        }
    }
    return true;
}

void ResourceDllLoader::releaseAll(const ImageMemory &memory)
{
    m_host.release(memory);
    while (!m_libraries.empty()) {
        m_host.freeLibrary(m_libraries.back());
        m_libraries.pop_back();
    }
}
