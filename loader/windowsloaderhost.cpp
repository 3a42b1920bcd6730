#include "loader/windowsloaderhost.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace {

void *Pointer(HostAddress address)
{
    return reinterpret_cast<void *>(static_cast<std::uintptr_t>(address));
}

HMODULE Module(ModuleHandle handle)
{
    return reinterpret_cast<HMODULE>(handle);
}

HostAddress Address(FARPROC function)
{
    return reinterpret_cast<std::uintptr_t>(function);
}

} // namespace

ModuleHandle WindowsLoaderHost::programModule()
{
    return reinterpret_cast<ModuleHandle>(GetModuleHandleW(nullptr));
}

std::span<const std::uint8_t> WindowsLoaderHost::findResource(ModuleHandle module, const char *type,
                                                              std::uint16_t id)
{
    HRSRC info = FindResourceA(Module(module), MAKEINTRESOURCEA(id), type);
    if (info == nullptr)
        return {};
    HGLOBAL resource = LoadResource(Module(module), info);
    if (resource == nullptr)
        return {};
    const void *bytes = LockResource(resource);
    const DWORD size = SizeofResource(Module(module), info);
    if (bytes == nullptr || size == 0)
        return {};
    return {static_cast<const std::uint8_t *>(bytes), size};
}

ImageMemory WindowsLoaderHost::reserve(HostAddress address, std::uint32_t size)
{
    if (sizeof(void *) != 4)
        return {};
    void *start = VirtualAlloc(Pointer(address), size, MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (start == nullptr)
        return {};
    return {reinterpret_cast<std::uintptr_t>(start), size, {}};
}

bool WindowsLoaderHost::commit(ImageMemory &memory)
{
    void *start =
        VirtualAlloc(Pointer(memory.address), memory.size, MEM_COMMIT, PAGE_EXECUTE_READWRITE);
    if (start == nullptr)
        return false;
    memory.bytes = {static_cast<std::uint8_t *>(start), memory.size};
    return true;
}

void WindowsLoaderHost::release(const ImageMemory &memory)
{
    VirtualFree(Pointer(memory.address), 0, MEM_RELEASE);
}

ModuleHandle WindowsLoaderHost::loadLibrary(const char *name)
{
    return reinterpret_cast<ModuleHandle>(LoadLibraryA(name));
}

void WindowsLoaderHost::freeLibrary(ModuleHandle library)
{
    FreeLibrary(Module(library));
}

HostAddress WindowsLoaderHost::findFunction(ModuleHandle library, const char *name)
{
    return Address(GetProcAddress(Module(library), name));
}

HostAddress WindowsLoaderHost::findFunctionByOrdinal(ModuleHandle library, std::uint16_t ordinal)
{
    return Address(GetProcAddress(Module(library), MAKEINTRESOURCEA(ordinal)));
}

bool WindowsLoaderHost::callEntryPoint(HostAddress entry, ModuleHandle instance,
                                       std::uint32_t reason)
{
    using EntryPoint = BOOL(WINAPI *)(HINSTANCE, DWORD, LPVOID);
    const auto function = reinterpret_cast<EntryPoint>(static_cast<std::uintptr_t>(entry));
    return function(reinterpret_cast<HINSTANCE>(instance), reason, nullptr) != FALSE;
}

void WindowsLoaderHost::callSkinAttach(HostAddress function, std::uint32_t dataId,
                                       const char *dataType)
{
    using Attach = int(WINAPI *)(int, const char *, const char *, int, int, int);
    const auto attach = reinterpret_cast<Attach>(static_cast<std::uintptr_t>(function));
    attach(static_cast<int>(dataId), dataType, "", 0, 0, 0);
}

void WindowsLoaderHost::showError(const QString &text, const QString &caption)
{
    MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(text.utf16()),
                reinterpret_cast<LPCWSTR>(caption.utf16()), MB_OK | MB_ICONERROR);
}
