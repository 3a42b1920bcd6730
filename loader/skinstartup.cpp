#include "loader/skinstartup.h"

namespace {

constexpr const char *LibraryType = "DLL";
constexpr std::uint16_t LibraryId = 130;
constexpr const char *SkinDataType = "SHE";
constexpr std::uint16_t SkinDataId = 132;
// Found ignoring case: the library exports it as "SkinH_AttachResEx".
constexpr const char *AttachFunction = "SkinH_attachresex";

} // namespace

SkinStartup::SkinStartup(std::unique_ptr<LoaderHost> host) : m_host(std::move(host))
{
    if (m_host)
        m_loader = std::make_unique<ResourceDllLoader>(*m_host);
}

SkinStartup::~SkinStartup() = default;

bool SkinStartup::apply()
{
    if (!m_host)
        return false;
    const ModuleHandle program = m_host->programModule();
    if (m_host->findResource(program, LibraryType, LibraryId).empty())
        return false;
    if (m_loader->loadFromResource(program, LibraryType, LibraryId) == 0)
        return false;
    const HostAddress attach = m_loader->findExport(AttachFunction);
    if (attach == 0)
        return false;
    m_host->callSkinAttach(attach, SkinDataId, SkinDataType);
    return true;
}
