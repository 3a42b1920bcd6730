#include "fuzzsupport.h"

#include "tests/loader/testloaderhost.h"

// Any bytes as the program's "DLL" resource: mapped, relocated, bound against two fake
// libraries, searched for exports and unloaded. Reads outside the image or the mapped memory are
// caught by the sanitizers and the host's guard pages; memory or libraries left behind abort.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Rig rig({data, size});
    rig.host.reservationLimit = 1 << 20;
    // Both the preferred base and elsewhere, so that relocation runs with a delta too.
    rig.host.elsewhere = size % 2 == 0 ? 0 : 0x00700000;
    rig.load();
    rig.loader.findExport("SkinH_attachresex");
    rig.loader.findExport(std::uint16_t(1));
    rig.loader.findExport(std::uint16_t(5));
    rig.loader.unload();
    FUZZ_CHECK(rig.host.everyReservationReleased() && rig.host.everyLibraryFreed());
    return 0;
}
