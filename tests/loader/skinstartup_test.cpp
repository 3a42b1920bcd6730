#include "loader/skinstartup.h"
#include "peimagebuilder.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

namespace {

// A host for the start-up object to own, carrying `file` as the skin library. When it goes, the
// library has been detached as often as it was attached, and every reservation and library let go.
struct OwnedHost : TestLoaderHost
{
    explicit OwnedHost(std::span<const std::uint8_t> file) { prepare(*this, file); }
    ~OwnedHost() override
    {
        const auto detaches = std::count_if(entryCalls.begin(), entryCalls.end(),
                                            [](const EntryCall &call) { return call.reason == 0; });
        EXPECT_EQ(2 * detaches, std::ssize(entryCalls));
        EXPECT_TRUE(everyReservationReleased() && everyLibraryFreed());
    }
};

} // namespace

TEST(SkinStartup, AttachesOnlyACarriedLibraryWithTheAttachFunction)
{
    // The sample; no library; a library without exports (nor entry point, imports or
    // relocations), which loads but is not called.
    SampleImage plain;
    plain.entryPoint = 0;
    plain.directories = {};
    const HostAddress attach = SampleImage::ImageBase + SampleImage::Attach;
    using Attaches = std::vector<std::pair<HostAddress, std::string>>;
    const std::pair<std::vector<std::uint8_t>, bool> cases[] = {
        {SampleImage().build(), true}, {{}, false}, {plain.build(), false}};
    for (const auto &[library, attached] : cases) {
        auto owned = std::make_unique<OwnedHost>(library);
        const OwnedHost &host = *owned;
        SkinStartup skin(std::move(owned));
        EXPECT_EQ(skin.apply(), attached);
        EXPECT_EQ(host.skinAttaches, (attached ? Attaches{{attach, "SHE 132"}} : Attaches{}));
        EXPECT_EQ(host.entryCalls.size(), attached ? 1u : 0u);
        EXPECT_TRUE(host.messages.empty());
    }

    // No platform host at all, as everywhere but Windows.
    EXPECT_FALSE(SkinStartup(nullptr).apply());
}
