#pragma once

#include "loader/loaderhost.h"
#include "loader/pe32image.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Maps a 32-bit library image (PE32) that the program carries as a resource straight into
// memory, without writing it to disk: copies its sections, relocates it, binds its imports, runs
// its entry point and finds its exported functions. All system services go through the host.
class ResourceDllLoader
{
public:
    explicit ResourceDllLoader(LoaderHost &host);
    ~ResourceDllLoader();
    ResourceDllLoader(const ResourceDllLoader &) = delete;
    ResourceDllLoader &operator=(const ResourceDllLoader &) = delete;

    // Maps resource `id` of `type` in module `instance` and attaches it; `instance` is what the
    // library's entry point gets as its instance handle. Returns the image base, or 0 when the
    // resource is missing, memory cannot be had, the image is malformed, an imported library is
    // missing or the entry point refuses (the two middle cases with a message). A failed load
    // leaves nothing reserved and no library loaded. A loaded image is unloaded first.
    HostAddress loadFromResource(ModuleHandle instance, const char *type, std::uint16_t id);

    // The address of an exported function, or 0. Names compare ignoring the case of ASCII letters.
    HostAddress findExport(std::string_view name) const;
    HostAddress findExport(std::uint16_t ordinal) const;

    // Detaches the library and releases its memory and imported libraries; nothing when no
    // image is mapped.
    void unload();

    HostAddress imageBase() const { return m_image.address; }

private:
    HostAddress refuseMalformed();
    ImageMemory reserveImage(const Pe32::Headers &headers);
    bool bindImports(const std::vector<Pe32::ImportedLibrary> &imports, Pe32::MutableBytes image);
    void releaseAll(const ImageMemory &memory);

    LoaderHost &m_host;
    ModuleHandle m_instance = 0;
    ImageMemory m_image;                   // address 0 while nothing is mapped
    HostAddress m_entryPoint = 0;          // 0 for a library without entry point
    Pe32::DataDirectory m_exports;         // of the mapped image
    std::vector<ModuleHandle> m_libraries; // imported libraries, in load order
};
