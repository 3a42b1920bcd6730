#pragma once

#include "loader/loaderhost.h"

// The loader's host on Windows, on the documented Win32 calls. PE32 code runs only in a 32-bit
// process: a 64-bit build reserves nothing, so no image is ever mapped there.
class WindowsLoaderHost : public LoaderHost
{
public:
    ModuleHandle programModule() override;
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
};
