#include "app/application.h"
#include "loader/platformloaderhost.h"
#include "loader/skinstartup.h"

int main(int argc, char *argv[])
{
    // Built before the application object and destroyed after it, so that a skin library, where
    // the program carries one, is detached last. Our builds carry none and keep the platform's
    // look.
    SkinStartup skin(createPlatformLoaderHost());
    Application app(argc, argv);
    skin.apply();
    return app.run();
}
