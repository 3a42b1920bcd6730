#include "peimagebuilder.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

using Sample = SampleImage;
using EntryCall = TestLoaderHost::EntryCall;
constexpr ModuleHandle Program = TestLoaderHost::Program;

} // namespace

TEST(ResourceDllLoader, MapsRelocatesBindsAndFindsExports)
{
    // At the preferred base, with the raw data stored in reverse order: each section's own file
    // pointer is followed. Elsewhere, below and above it: the delta wraps in 32 bits either way.
    // Optional headers larger and smaller than usual move the section table; with six
    // directories the relocations are the last one.
    const struct
    {
        HostAddress base;
        std::uint16_t optionalHeaderSize;
        std::uint32_t directories;
    } cases[] = {{Sample::ImageBase, 224, 16},
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
        EXPECT_EQ(rig.loader.findExport("SkinH_AttachResEx"), 0u); // nothing mapped yet
        ASSERT_EQ(rig.load(), base);
        EXPECT_TRUE(rig.host.messages.empty());

        // The headers and exactly the raw data of each section, zeros past it.
        const std::span<const std::uint8_t> memory = rig.host.memoryAt(base);
        ASSERT_EQ(memory.size(), Sample::SizeOfImage);
        EXPECT_TRUE(std::equal(file.begin(), file.begin() + Sample::SizeOfHeaders, memory.begin()));
        for (const Sample::Section &section : sample.sections) {
            const auto past = memory.subspan(section.virtualAddress + section.rawSize,
                                             section.virtualSize - section.rawSize);
            EXPECT_TRUE(std::all_of(past.begin(), past.end(), [](auto b) { return b == 0; }));
        }
        const auto delta = static_cast<std::uint32_t>(base - Sample::ImageBase);
        if (delta == 0) {
            EXPECT_TRUE(std::equal(sample.image.begin() + Sample::Text,
                                   sample.image.begin() + Sample::Text + 0x400,
                                   memory.begin() + Sample::Text));
        }
        for (std::uint32_t word : Sample::MovedWords)
            EXPECT_EQ(get32(memory, word), get32(sample.image, word) + delta);
        EXPECT_EQ(get32(memory, Sample::OtherTypeWord), get32(sample.image, Sample::OtherTypeWord));

        // Imports by name and by ordinal; GetTickCount is not found: null, without a message.
        // USER32.dll has no lookup table: its address table names the functions.
        EXPECT_EQ(get32(memory, Sample::Kernel32Slots), SleepAddress);
        EXPECT_EQ(get32(memory, Sample::Kernel32Slots + 4), Ordinal7Address);
        EXPECT_EQ(get32(memory, Sample::Kernel32Slots + 8), 0u);
        EXPECT_EQ(get32(memory, Sample::Kernel32Slots + 12), 0u);
        EXPECT_EQ(get32(memory, Sample::User32Slots), MessageBeepAddress);
        EXPECT_EQ(rig.host.loadedLibraries, (std::vector<ModuleHandle>{Kernel32, User32}));
        EXPECT_EQ(rig.host.functionLookups,
                  (std::vector<std::string>{"Sleep", "#7", "GetTickCount", "MessageBeep"}));

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
        EXPECT_EQ(rig.host.entryCalls, std::vector<EntryCall>({{base + Sample::Text, Program, 1},
                                                               {base + Sample::Text, Program, 0}}));
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
    const QString missing = QStringLiteral("装入动态链接库USER32.dll出错!");
    const struct
    {
        std::function<void(TestLoaderHost &)> lack;
        std::vector<std::pair<QString, QString>> messages;
        std::size_t entryCalls = 0;
    } cases[] = {
        {[](auto &host) { host.addResource("DLL", 130, {}); }, {}},
        {[](auto &host) { host.reservationLimit = 0x1000; }, {}},
        {[](auto &host) { host.commitFails = true; }, {}},
        {[](auto &host) { host.elsewhere = 0xFFFFE000; }, {}},
        {[](auto &host) { host.addLibrary("USER32.dll", {}); },
         {{missing, QStringLiteral("错误")}}},
        {[](auto &host) { host.entryPointResult = false; }, {}, 2},
    };
    for (const auto &c : cases) {
        Rig rig(Sample().build());
        c.lack(rig.host);
        EXPECT_EQ(rig.load(), 0u);
        rig.loader.unload();
        EXPECT_EQ(rig.host.messages, c.messages);
        ASSERT_EQ(rig.host.entryCalls.size(), c.entryCalls);
        EXPECT_TRUE(c.entryCalls == 0 || rig.host.entryCalls.back().reason == 0);
        EXPECT_TRUE(rig.host.everyReservationReleased());
        EXPECT_TRUE(rig.host.everyLibraryFreed());
    }
}
