#include "loader/platformloaderhost.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include "loader/windowsloaderhost.h"
#endif

std::unique_ptr<LoaderHost> createPlatformLoaderHost()
{
#ifdef Q_OS_WIN
    return std::make_unique<WindowsLoaderHost>();
#else
    return nullptr;
#endif
}
