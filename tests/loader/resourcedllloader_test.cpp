#include "loader/resourcedllloader.h"
#include "model/texts.h"
#include "peimagebuilder.h"
#include "samplehost.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <algorithm>

namespace {

using Sample = SampleLibrary;

bool allZero(std::span<const std::uint8_t> bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0; });
}

// Section contents as mapped, compared with what the builder laid out; the import address
// tables in the data section are left out (binding changes them).
void expectSectionsCopied(const PeImageBuilder &builder, std::span<const std::uint8_t> memory,
                          const std::vector<std::uint8_t> &file)
{
    ASSERT_EQ(memory.size(), builder.sizeOfImage);
    EXPECT_TRUE(std::equal(file.begin(), file.begin() + builder.sizeOfHeaders, memory.begin()));
    for (const PeImageBuilder::Section &section : builder.sections) {
        const auto raw = memory.subspan(section.virtualAddress, section.rawSize);
        const auto rest =
            memory.subspan(section.virtualAddress + section.rawSize,
                           std::max(section.virtualSize, section.rawSize) - section.rawSize);
        if (section.virtualAddress == Sample::Text) {
            EXPECT_TRUE(
                std::equal(raw.begin(), raw.end(), builder.image.begin() + section.virtualAddress))
                << "section at " << section.virtualAddress;
        }
        EXPECT_TRUE(allZero(rest)) << "past the raw data of section at " << section.virtualAddress;
    }
}

} // namespace

TEST(ResourceDllLoader, MapsAtThePreferredBaseWithoutChangingTheCode)
{
    const Sample sample;
    const std::vector<std::uint8_t> file = sample.builder.build();
    TestLoaderHost host;
    prepare(host, file);
    ResourceDllLoader loader(host);

    const HostAddress base = load(loader);
    ASSERT_EQ(base, PeImageBuilder::DefaultImageBase);
    EXPECT_EQ(loader.imageBase(), base);
    expectSectionsCopied(sample.builder, host.memoryAt(base), file);
    for (std::uint32_t word : Sample::MovedWords)
        EXPECT_EQ(host.read32(base + word), sample.builder.get32(word));
    ASSERT_EQ(host.entryCalls.size(), 1u);
    EXPECT_EQ(host.entryCalls[0].entry, base + Sample::Text);
    EXPECT_EQ(host.entryCalls[0].instance, TestLoaderHost::Program);
    EXPECT_EQ(host.entryCalls[0].reason, 1u);
    EXPECT_TRUE(host.messages.empty());
}

TEST(ResourceDllLoader, MovesEveryHighLowTargetWhenMappedElsewhere)
{
    // Below and above the preferred base: the delta wraps in 32 bits either way.
    for (const HostAddress elsewhere : {HostAddress(0x00700000), HostAddress(0x60000000)}) {
        const Sample sample;
        TestLoaderHost host;
        prepare(host, sample.builder.build());
        host.preferredAddressFree = false;
        host.chosenAddress = elsewhere;
        ResourceDllLoader loader(host);

        ASSERT_EQ(load(loader), elsewhere);
        const auto delta = static_cast<std::uint32_t>(elsewhere - PeImageBuilder::DefaultImageBase);
        for (std::uint32_t word : Sample::MovedWords)
            EXPECT_EQ(host.read32(elsewhere + word), sample.builder.get32(word) + delta) << word;
        EXPECT_EQ(host.read32(elsewhere + Sample::OtherTypeWord),
                  sample.builder.get32(Sample::OtherTypeWord));
        EXPECT_EQ(host.entryCalls.at(0).entry, elsewhere + Sample::Text);
        EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), elsewhere + Sample::Attach);
    }
}

TEST(ResourceDllLoader, BindsImportsByNameAndOrdinalAndLeavesUnresolvedOnesNull)
{
    const Sample sample;
    TestLoaderHost host;
    prepare(host, sample.builder.build());
    ResourceDllLoader loader(host);
    const HostAddress base = load(loader);
    ASSERT_NE(base, 0u);

    const HostAddress kernel32 = base + sample.addressTables[0];
    EXPECT_EQ(host.read32(kernel32), SleepAddress);
    EXPECT_EQ(host.read32(kernel32 + 4), Ordinal7Address);
    EXPECT_EQ(host.read32(kernel32 + 8), 0u); // GetTickCount, not found: null, no message
    EXPECT_EQ(host.read32(kernel32 + 12), 0u);
    // USER32.dll has no lookup table: its address table names the functions.
    EXPECT_EQ(host.read32(base + sample.addressTables[1]), MessageBeepAddress);

    EXPECT_EQ(host.loadedLibraries, (std::vector<std::string>{"KERNEL32.dll", "USER32.dll"}));
    EXPECT_EQ(host.functionLookups,
              (std::vector<std::string>{"Sleep", "#7", "GetTickCount", "MessageBeep"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST(ResourceDllLoader, AMissingLibraryIsNamedAndNothingStaysBehind)
{
    const Sample sample;
    TestLoaderHost host;
    host.addResource("DLL", 130, sample.builder.build());
    addKernel32(host);
    ResourceDllLoader loader(host);

    EXPECT_EQ(load(loader), 0u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("装入动态链接库USER32.dll出错!"));
    EXPECT_EQ(host.messages[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(host.reservations.size(), 1u);
    EXPECT_TRUE(host.everyReservationReleased());
    EXPECT_EQ(host.freedLibraries, std::vector<ModuleHandle>{Kernel32});
    EXPECT_TRUE(host.entryCalls.empty());
    EXPECT_EQ(loader.imageBase(), 0u);
    EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), 0u);
    loader.unload();
    EXPECT_TRUE(host.entryCalls.empty());
}

TEST(ResourceDllLoader, FindsExportsByNameIgnoringCaseAndByOrdinal)
{
    const Sample sample;
    TestLoaderHost host;
    prepare(host, sample.builder.build());
    ResourceDllLoader loader(host);
    EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), 0u); // nothing mapped yet
    const HostAddress base = load(loader);
    ASSERT_NE(base, 0u);

    EXPECT_EQ(loader.findExport("SkinH_attachresex"), base + Sample::Attach);
    EXPECT_EQ(loader.findExport("SKINH_ATTACHRESEX"), base + Sample::Attach);
    EXPECT_EQ(loader.findExport("skinh_detach"), base + Sample::Detach);
    EXPECT_EQ(loader.findExport("SkinH_AttachRes"), 0u);
    EXPECT_EQ(loader.findExport("SkinH_AttachResExt"), 0u);
    EXPECT_EQ(loader.findExport(""), 0u);

    EXPECT_EQ(loader.findExport(std::uint16_t(Sample::ExportBase)), base + Sample::Attach);
    EXPECT_EQ(loader.findExport(std::uint16_t(Sample::ExportBase + 2)), base + Sample::Unnamed);
    EXPECT_EQ(loader.findExport(std::uint16_t(Sample::ExportBase + 3)), 0u); // Base + count
    EXPECT_EQ(loader.findExport(std::uint16_t(Sample::ExportBase - 1)), 0u);
    EXPECT_EQ(loader.findExport(std::uint16_t(0)), 0u);
}

TEST(ResourceDllLoader, ExportsThatCannotBeCalledAreNull)
{
    PeImageBuilder builder;
    builder.addSection(0x1000, 0x1000, 0x200);
    builder.addSection(0x3F00, 0x100, 0x100); // ends the image with bytes that are not NUL
    std::fill(builder.image.begin() + 0x3F00, builder.image.end(), 'A');
    const std::uint32_t exportsEnd =
        writeExports(builder, 0x1000,
                     {"X.dll",
                      1,
                      {0, 0x1050, 0x1100, 0x5000},
                      {{"Unused", 0}, {"Forwarded", 1}, {"Skin[1]", 2}, {"Outside", 3}}});
    // A forwarder's address is that of a text inside the export directory.
    ASSERT_GT(exportsEnd, 0x1050u);
    TestLoaderHost host;
    host.addResource("DLL", 130, builder.build());
    ResourceDllLoader loader(host);
    const HostAddress base = load(loader);
    ASSERT_NE(base, 0u);

    EXPECT_EQ(loader.findExport("Unused"), 0u);
    EXPECT_EQ(loader.findExport("Forwarded"), 0u);
    EXPECT_EQ(loader.findExport("Outside"), 0u);
    EXPECT_EQ(loader.findExport("SKIN[1]"), base + 0x1100);
    // Only letters compare ignoring case: '{' is not a lower-case '['.
    EXPECT_EQ(loader.findExport("skin{1}"), 0u);
    EXPECT_EQ(loader.findExport(std::uint16_t(1)), 0u);

    // A name table entry whose name runs off the end of the image stops the search.
    const std::uint32_t names = builder.get32(0x1000 + 32);
    builder.put32(names, 0x3F80);
    TestLoaderHost host2;
    host2.addResource("DLL", 130, builder.build());
    ResourceDllLoader loader2(host2);
    ASSERT_NE(load(loader2), 0u);
    EXPECT_EQ(loader2.findExport("Skin[1]"), 0u);

    // Tables longer than the image give nothing.
    builder.put32(0x1000 + 20, 0x40000000); // NumberOfFunctions
    TestLoaderHost host3;
    host3.addResource("DLL", 130, builder.build());
    ResourceDllLoader loader3(host3);
    ASSERT_NE(load(loader3), 0u);
    EXPECT_EQ(loader3.findExport(std::uint16_t(3)), 0u);
    EXPECT_TRUE(host3.messages.empty());
}

TEST(ResourceDllLoader, UnloadDetachesReleasesAndFreesOnce)
{
    const Sample sample;
    TestLoaderHost host;
    prepare(host, sample.builder.build());
    {
        ResourceDllLoader loader(host);
        const HostAddress base = load(loader);
        ASSERT_NE(base, 0u);
        loader.unload();
        ASSERT_EQ(host.entryCalls.size(), 2u);
        EXPECT_EQ(host.entryCalls[1].entry, base + Sample::Text);
        EXPECT_EQ(host.entryCalls[1].instance, TestLoaderHost::Program);
        EXPECT_EQ(host.entryCalls[1].reason, 0u);
        EXPECT_TRUE(host.everyReservationReleased());
        EXPECT_EQ(host.freedLibraries, (std::vector<ModuleHandle>{User32, Kernel32}));
        EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), 0u);
        loader.unload();
        EXPECT_EQ(host.entryCalls.size(), 2u);

        // Loading again replaces nothing; the destructor then unloads.
        ASSERT_EQ(load(loader), base);
    }
    EXPECT_EQ(host.entryCalls.size(), 4u);
    EXPECT_EQ(host.entryCalls.back().reason, 0u);
    EXPECT_TRUE(host.everyReservationReleased());
    EXPECT_TRUE(host.everyLibraryFreed());
}

TEST(ResourceDllLoader, AnEntryPointThatRefusesUndoesTheLoad)
{
    const Sample sample;
    TestLoaderHost host;
    prepare(host, sample.builder.build());
    host.entryPointResult = false;
    ResourceDllLoader loader(host);

    EXPECT_EQ(load(loader), 0u);
    ASSERT_EQ(host.entryCalls.size(), 2u);
    EXPECT_EQ(host.entryCalls[0].reason, 1u);
    EXPECT_EQ(host.entryCalls[1].reason, 0u);
    EXPECT_TRUE(host.everyReservationReleased());
    EXPECT_TRUE(host.everyLibraryFreed());
    EXPECT_TRUE(host.messages.empty());
    loader.unload();
    EXPECT_EQ(host.entryCalls.size(), 2u);
}

TEST(ResourceDllLoader, CopiesExactlyTheRawDataOfSectionsStoredOutOfOrder)
{
    Sample sample;
    sample.builder.reverseFileOrder = true;
    const std::vector<std::uint8_t> file = sample.builder.build();
    TestLoaderHost host;
    prepare(host, file);
    ResourceDllLoader loader(host);
    const HostAddress base = load(loader);
    ASSERT_NE(base, 0u);
    expectSectionsCopied(sample.builder, host.memoryAt(base), file);
    EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), base + Sample::Attach);
}

TEST(ResourceDllLoader, TakesTheSectionTableFromTheOptionalHeaderSize)
{
    // Larger than usual: the section table moves with it.
    Sample larger;
    larger.builder.optionalHeaderSize = 240;
    // Smaller, with six directories: the relocations are the last one.
    Sample smaller;
    smaller.builder.optionalHeaderSize = 96 + 6 * 8;
    smaller.builder.numberOfRvaAndSizes = 6;
    for (const Sample *sample : {&larger, &smaller}) {
        TestLoaderHost host;
        prepare(host, sample->builder.build());
        host.preferredAddressFree = false;
        ResourceDllLoader loader(host);
        const HostAddress base = load(loader);
        ASSERT_NE(base, 0u) << sample->builder.optionalHeaderSize;
        EXPECT_EQ(loader.findExport("SkinH_AttachResEx"), base + Sample::Attach);
        EXPECT_EQ(host.read32(base + Sample::MovedWords[0]),
                  base + Sample::Data); // relocated
    }
}

TEST(ResourceDllLoader, WithoutResourceOrMemoryTheLoadFailsQuietly)
{
    const std::vector<std::uint8_t> file = Sample().builder.build();
    {
        TestLoaderHost host;
        ResourceDllLoader loader(host);
        EXPECT_EQ(load(loader), 0u);
        EXPECT_TRUE(host.reservations.empty());
        EXPECT_TRUE(host.messages.empty());
    }
    {
        TestLoaderHost host;
        prepare(host, file);
        host.reservationLimit = 0x1000;
        ResourceDllLoader loader(host);
        EXPECT_EQ(load(loader), 0u);
        EXPECT_TRUE(host.reservations.empty());
        EXPECT_TRUE(host.messages.empty());
    }
    {
        TestLoaderHost host;
        prepare(host, file);
        host.commitFails = true;
        ResourceDllLoader loader(host);
        EXPECT_EQ(load(loader), 0u);
        EXPECT_EQ(host.reservations.size(), 1u);
        EXPECT_TRUE(host.everyReservationReleased());
        EXPECT_TRUE(host.messages.empty());
    }
    {
        // Memory that would end above 4 GiB cannot hold a 32-bit image.
        TestLoaderHost host;
        prepare(host, file);
        host.preferredAddressFree = false;
        host.chosenAddress = 0xFFFFE000;
        ResourceDllLoader loader(host);
        EXPECT_EQ(load(loader), 0u);
        EXPECT_TRUE(host.everyReservationReleased());
        EXPECT_TRUE(host.loadedLibraries.empty());
        EXPECT_TRUE(host.entryCalls.empty());
    }
}

// The starting corpus of the loader's fuzz target: small images that load. With
// VELMORA_WRITE_LOADER_CORPUS set the test writes them first.
TEST(LoaderCorpus, EveryImageLoads)
{
    const QDir folder(QStringLiteral(VELMORA_LOADER_CORPUS));
    if (qEnvironmentVariableIsSet("VELMORA_WRITE_LOADER_CORPUS")) {
        Sample reversed;
        reversed.builder.reverseFileOrder = true;
        PeImageBuilder exportsOnly(0x2000);
        exportsOnly.addSection(0x1000, 0x1000, 0x100);
        writeExports(exportsOnly, 0x1000, {"E.dll", 1, {0x1080}, {{"SkinH_AttachResEx", 0}}});
        const std::pair<const char *, std::vector<std::uint8_t>> corpus[] = {
            {"sample.dll", Sample().builder.build()},
            {"sample-reversed.dll", reversed.builder.build()},
            {"exports-only.dll", exportsOnly.build()},
        };
        for (const auto &[name, bytes] : corpus) {
            QFile out(folder.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(reinterpret_cast<const char *>(bytes.data()), qint64(bytes.size()));
        }
    }

    const QStringList images = folder.entryList(QDir::Files);
    ASSERT_FALSE(images.isEmpty());
    for (const QString &name : images) {
        if (name.endsWith(QLatin1String(".md")))
            continue;
        QFile in(folder.filePath(name));
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray bytes = in.readAll();
        TestLoaderHost host;
        prepare(host, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        ResourceDllLoader loader(host);
        EXPECT_NE(load(loader), 0u) << name.toStdString();
        EXPECT_NE(loader.findExport("SkinH_attachresex"), 0u) << name.toStdString();
    }
}
