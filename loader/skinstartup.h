#pragma once

#include "loader/loaderhost.h"
#include "loader/resourcedllloader.h"

#include <memory>

// Start-up's skin step. A program that carries a skin library (resource "DLL" 130) maps it with
// the ResourceDllLoader and attaches it to its skin data (resource "SHE" 132); any other program,
// and every platform without a host, keeps the platform's own look. Build it before the
// application object: the library is detached and released when this is destroyed.
class SkinStartup
{
public:
    // `host` may be null: there is then nothing to load.
    explicit SkinStartup(std::unique_ptr<LoaderHost> host);
    ~SkinStartup();
    SkinStartup(const SkinStartup &) = delete;
    SkinStartup &operator=(const SkinStartup &) = delete;

    // True when a skin library was loaded and attached. A failed load has shown its message.
    bool apply();

private:
    std::unique_ptr<LoaderHost> m_host;
    std::unique_ptr<ResourceDllLoader> m_loader; // destroyed before the host it uses
};
