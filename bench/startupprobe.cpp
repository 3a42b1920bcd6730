// The program as app/main.cpp starts it, ended as soon as the main window has been painted.

#include "app/application.h"
#include "bench/shownprobe.h"
#include "loader/platformloaderhost.h"
#include "loader/skinstartup.h"

int main(int argc, char *argv[])
{
    SkinStartup skin(createPlatformLoaderHost());
    Application app(argc, argv);
    skin.apply();
    ShownProbe probe(QStringLiteral("Velmora"));
    return app.run();
}
