#include "loader/skinstartup.h"
#include "peimagebuilder.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Sample = SampleImage;

// A host for the start-up object to own. When it goes, the library has been detached (no entry
// call, or a detach last), and every reservation and library let go.
struct OwnedHost : TestLoaderHost
{
    using TestLoaderHost::TestLoaderHost;
    ~OwnedHost() override
    {
        EXPECT_TRUE(entryCalls.empty() || std::get<2>(entryCalls.back()) == 0);
        EXPECT_TRUE(everyReservationReleased() && everyLibraryFreed());
    }
};

} // namespace

TEST(ResourceDllLoader, MapsRelocatesBindsAndFindsExports)
{
    // At the preferred base, with the raw data stored in reverse order: each section's own file
    // pointer is followed. Elsewhere, below and above it: the delta wraps in 32 bits either way.
    // Optional headers larger and smaller than usual move the section table; with six
    // directories the relocations are the last one.
    const std::tuple<HostAddress, std::uint16_t, std::uint32_t> cases[] = {
        {Sample::ImageBase, 224, 16},
        {0x00700000, 240, 16},
        {0x60000000, 224, 16},
        {0x00700000, 96 + 6 * 8, 6}};
    for (const auto &[base, optionalHeaderSize, directories] : cases) {
        SCOPED_TRACE(base);
        Sample sample;
        sample.reverseFileOrder = base == Sample::ImageBase;
        sample.optionalHeaderSize = optionalHeaderSize;
        sample.numberOfRvaAndSizes = directories;
        const std::vector<std::uint8_t> file = sample.build();
        Rig rig(file);
        rig.host.elsewhere = base == Sample::ImageBase ? 0 : base;
        ASSERT_EQ(rig.load(), base);
        EXPECT_TRUE(rig.host.messages.empty());

        // The whole image: the headers, the raw data of each section and zeros past it, the
        // words that HIGHLOW entries point at moved, and no other. Imports by name and by
        // ordinal; GetTickCount is not found: null, without a message. USER32.dll has no lookup
        // table: its address table names the functions.
        std::vector<std::uint8_t> expected = sample.image;
        std::copy(file.begin(), file.begin() + Sample::SizeOfHeaders, expected.begin());
        for (int i = 0; i < 4; ++i)
            put(expected, Sample::MovedWords[i], base + Sample::MovedWordTargets[i]);
        put(expected, Sample::Kernel32Slots, SleepAddress);
        put(expected, Sample::Kernel32Slots + 4, Ordinal7Address);
        put(expected, Sample::Kernel32Slots + 8, 0);
        put(expected, Sample::User32Slots, MessageBeepAddress);
        const std::span<const std::uint8_t> memory = rig.host.memoryAt(base);
        ASSERT_EQ(memory.size(), expected.size());
        EXPECT_EQ(std::ranges::mismatch(memory, expected).in1 - memory.begin(), std::ssize(memory))
            << "the first byte that differs";
        EXPECT_EQ(rig.host.loadedLibraries, (std::vector<ModuleHandle>{Kernel32, User32}));

        // Exports by name ignoring the case of letters only ('{' is not a lower-case '['), and
        // by ordinal from Base on. Unused slots, forwarders and addresses outside the image,
        // Base + count and ordinals below Base are null.
        EXPECT_EQ(rig.loader.findExport("SKINH_attachresex"), base + Sample::Attach);
        EXPECT_EQ(rig.loader.findExport("skin[1]"), base + Sample::Bracketed);
        for (const char *name : {"SkinH_AttachRes", "SkinH_AttachResExt", "", "skin{1}", "Unused",
                                 "Forwarded", "Outside"})
            EXPECT_EQ(rig.loader.findExport(name), 0u) << name;
        EXPECT_EQ(rig.loader.findExport(std::uint16_t(Sample::ExportBase + 1)),
                  base + Sample::Detach);
        for (const std::uint32_t ordinal : {0u, Sample::ExportBase - 1, Sample::ExportBase + 3,
                                            Sample::ExportBase + 4, Sample::ExportBase + 6})
            EXPECT_EQ(rig.loader.findExport(std::uint16_t(ordinal)), 0u) << ordinal;

        // Unloading detaches, releases and frees in reverse order, once; then it loads again.
        rig.loader.unload();
        rig.loader.unload();
        EXPECT_EQ(rig.host.entryCalls, std::vector<TestLoaderHost::EntryCall>(
                                           {{base + Sample::Text, TestLoaderHost::Program, 1},
                                            {base + Sample::Text, TestLoaderHost::Program, 0}}));
        EXPECT_TRUE(rig.host.everyReservationReleased());
        EXPECT_EQ(rig.host.freedLibraries, (std::vector<ModuleHandle>{User32, Kernel32}));
        EXPECT_EQ(rig.loader.findExport("SkinH_AttachResEx"), 0u);
        EXPECT_EQ(rig.load(), base);
    }
}

TEST(ResourceDllLoader, AFailedLoadLeavesNothingBehind)
{
    // No resource, too little memory, no commit, memory that would end above 4 GiB (where no
    // 32-bit image fits), a missing library (named in a message) and an entry point that
    // refuses (detached again).
    using Messages = std::vector<std::pair<QString, QString>>;
    const std::pair<std::function<void(TestLoaderHost &)>, Messages> cases[] = {
        {[](auto &host) { host.resource.reset(); }, {}},
        {[](auto &host) { host.reservationLimit = 0x1000; }, {}},
        {[](auto &host) { host.commitFails = true; }, {}},
        {[](auto &host) { host.elsewhere = 0xFFFFE000; }, {}},
        {[](auto &host) { host.libraries["USER32.dll"] = 0; },
         {{QStringLiteral("装入动态链接库USER32.dll出错!"), QStringLiteral("错误")}}},
        {[](auto &host) { host.entryPointResult = false; }, {}},
    };
    for (const auto &[lack, messages] : cases) {
        Rig rig(Sample().build());
        lack(rig.host);
        EXPECT_EQ(rig.load(), 0u);
        rig.loader.unload();
        EXPECT_EQ(rig.host.messages, messages);
        EXPECT_TRUE(rig.host.entryCalls.empty() || std::get<2>(rig.host.entryCalls.back()) == 0);
        EXPECT_TRUE(rig.host.everyReservationReleased());
        EXPECT_TRUE(rig.host.everyLibraryFreed());
    }
}

TEST(SkinStartup, AttachesOnlyACarriedLibraryWithTheAttachFunction)
{
    // The sample; no library; a library without exports (nor entry point, imports or
    // relocations), which loads but is not called.
    Sample plain;
    plain.entryPoint = 0;
    plain.directories = {};
    using Attaches = std::vector<std::pair<HostAddress, std::string>>;
    const std::pair<std::vector<std::uint8_t>, Attaches> cases[] = {
        {Sample().build(), {{Sample::ImageBase + Sample::Attach, "SHE 132"}}},
        {{}, {}},
        {plain.build(), {}}};
    for (const auto &[library, attaches] : cases) {
        auto owned = std::make_unique<OwnedHost>(library);
        const OwnedHost &host = *owned;
        SkinStartup skin(std::move(owned));
        EXPECT_EQ(skin.apply(), !attaches.empty());
        EXPECT_EQ(host.skinAttaches, attaches);
        EXPECT_EQ(host.entryCalls.size(), attaches.size()); // attached once, not yet detached
        EXPECT_TRUE(host.messages.empty());
    }

    // No platform host at all, as everywhere but Windows.
    EXPECT_FALSE(SkinStartup(nullptr).apply());
}
