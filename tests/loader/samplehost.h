#pragma once

#include "loader/resourcedllloader.h"
#include "tests/loader/testloaderhost.h"

#include <cstdint>
#include <vector>

// The libraries the sample library imports, with fake handles and addresses. GetTickCount is
// missing on purpose: an unresolved function.
constexpr ModuleHandle Kernel32 = 0x77000000;
constexpr ModuleHandle User32 = 0x76000000;
constexpr HostAddress SleepAddress = 0x77001000;
constexpr HostAddress Ordinal7Address = 0x77003000;
constexpr HostAddress MessageBeepAddress = 0x76001000;

inline void addKernel32(TestLoaderHost &host)
{
    host.addLibrary("kernel32.dll", {Kernel32, {{"Sleep", SleepAddress}}, {{7, Ordinal7Address}}});
}

inline void addUser32(TestLoaderHost &host)
{
    host.addLibrary("user32.dll", {User32, {{"MessageBeep", MessageBeepAddress}}, {}});
}

// `file` as the program's resource "DLL" 130, and both libraries present.
inline void prepare(TestLoaderHost &host, const std::vector<std::uint8_t> &file)
{
    host.addResource("DLL", 130, file);
    addKernel32(host);
    addUser32(host);
}

inline HostAddress load(ResourceDllLoader &loader)
{
    return loader.loadFromResource(TestLoaderHost::Program, "DLL", 130);
}
