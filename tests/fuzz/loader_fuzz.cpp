#include "loader/resourcedllloader.h"
#include "tests/loader/testloaderhost.h"

#include <cstdlib>

// Any bytes as the program's "DLL" resource: mapped, relocated, bound against two fake
// libraries, searched for exports and unloaded. Reads outside the image or the mapped memory are
// caught by the sanitizers; memory or libraries left behind abort.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TestLoaderHost host;
    host.reservationLimit = 1 << 20;
    // Both the preferred base and elsewhere, so that relocation runs with a delta too.
    host.preferredAddressFree = size % 2 == 0;
    host.addResource("DLL", 130, {data, size});
    host.addLibrary("KERNEL32.dll", {0x77000000, {{"Sleep", 0x77001000}}, {{7, 0x77003000}}});
    host.addLibrary("USER32.dll", {0x76000000, {{"MessageBeep", 0x76001000}}, {}});
    {
        ResourceDllLoader loader(host);
        if (loader.loadFromResource(TestLoaderHost::Program, "DLL", 130) != 0) {
            loader.findExport("SkinH_attachresex");
            loader.findExport(std::uint16_t(1));
            loader.findExport(std::uint16_t(5));
        }
    }
    if (!host.everyReservationReleased() || !host.everyLibraryFreed())
        std::abort();
    return 0;
}
