#include "peimagebuilder.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

// Every header, table and name the loader reads is checked against the file and SizeOfImage.
// A malformed image is refused with one message, leaves no memory reserved and no library
// loaded, and is never read outside its bytes: the test host puts an inaccessible page right
// after the resource and after the mapped image.

namespace {

using Sample = SampleImage;

constexpr std::uint32_t FileSize = Sample::SizeOfHeaders + 0x400 + 0x300 + 0x40 + 0x100;
constexpr std::uint32_t ImageEnd = Sample::SizeOfImage;
constexpr std::uint32_t Directories = Sample::OptionalHeader + 96;
constexpr std::uint32_t Section1 = Sample::OptionalHeader + 224 + 40, Section2 = Section1 + 40;
// Fields of a section header; VirtualSize and VirtualAddress written at once as 64 bits.
constexpr std::uint32_t VirtualSize = 8, PointerToRawData = 20;

// Where a case writes: into the file, into the image before it is built, or where the file ends.
// Export tables that run off the image do not refuse it: it loads, and they find nothing.
using Where = int;
constexpr Where File = 0, Image = 1, Cut = 2, ExportTable = 3;
struct Case
{
    const char *name;
    Where where;
    std::uint32_t at;
    std::uint64_t value = 0;
    int size = 4;
};

const Case Cases[] = {
    // Signatures and the PE header's place.
    {"NoDosSignature", File, 1, 'X', 1},
    {"ShorterThanTheDosHeader", Cut, 0x3E},
    {"PeHeaderPastTheFile", File, 0x3C, FileSize - 8},
    {"PeOffsetWrapsIn32Bits", File, 0x3C, 0xFFFFFFFC},
    {"NoPeSignature", File, Sample::PeOffset + 3, 1, 1},
    {"Pe32PlusImage", File, Sample::OptionalHeader, 0x20B, 2},
    // The optional header and the section table.
    {"OptionalHeaderTooShort", File, Sample::FileHeader + 16, 64, 2},
    {"OptionalHeaderPastTheFile", File, Sample::FileHeader + 16, 0xFFFF, 2},
    {"MoreDirectoriesThanTheOptionalHeaderHolds", File, Sample::FileHeader + 16, 96 + 6 * 8, 2},
    {"SectionTablePastTheFile", File, Sample::FileHeader + 2, 0xFFFF, 2},
    {"SizeOfImageZero", File, Sample::OptionalHeader + 56, 0},
    {"HeadersLargerThanTheFile", File, Sample::OptionalHeader + 60, FileSize + 1},
    {"EntryPointOutsideTheImage", File, Sample::OptionalHeader + 16, ImageEnd},
    // Sections.
    {"RawDataPastTheFile", File, Section2 + PointerToRawData, FileSize - 0x20},
    {"RawDataPointerWrapsIn32Bits", File, Section2 + PointerToRawData, 0xFFFFFFF0},
    {"RawDataPastSizeOfImage", File, Section2 + VirtualSize, 0x3FF0'00000010, 8},
    {"VirtualRangeWrapsIn32Bits", File, Section1 + VirtualSize, 0xFFFFF000},
    // Relocations.
    {"RelocationDirectoryPastTheImage", File, Directories + 5 * 8 + 4, 0x1001},
    {"RelocationBlockShorterThanItsHeader", Image, Sample::Relocations + 4, 4},
    {"RelocationBlockPastTheDirectory", Image, Sample::Relocations + 4, 0x100},
    {"RelocationTargetPastTheImage", Image, Sample::Relocations, ImageEnd - 0x100},
    // Imports: the directory (address and size), the first descriptor and its lookup table.
    {"ImportDescriptorPastTheImage", File, Directories + 8, 0x10'00000000 | (ImageEnd - 0x10), 8},
    {"LibraryNameRunsOffTheImage", Image, Sample::Imports + 12, Sample::Tail + 0x80},
    {"LibraryNamePastTheImage", Image, Sample::Imports + 12, 0x7FFFFFFF},
    {"FunctionNameRunsOffTheImage", Image, Sample::Kernel32Lookup, Sample::Tail + 0x80},
    {"HintPastTheImage", Image, Sample::Kernel32Lookup, 0x3FFF},
    {"LookupTablePastTheImage", Image, Sample::Imports, ImageEnd - 2},
    {"AddressTableShorterThanTheLookupTable", Image, Sample::Imports + 16, ImageEnd - 4},
    {"NoAddressTable", Image, Sample::Imports + 16, 0},
    // Exports: the first name, and NumberOfFunctions.
    {"ExportNameRunsOffTheImage", ExportTable, Sample::Exports + 64, Sample::Tail + 0x80},
    {"ExportTableLongerThanTheImage", ExportTable, Sample::Exports + 20, 0x40000000},
};

using MalformedImage = testing::TestWithParam<Case>;

} // namespace

TEST_P(MalformedImage, IsRefusedAndLeavesNothingBehind)
{
    const Case &c = GetParam();
    Sample sample;
    if (c.where == Image || c.where == ExportTable)
        put(sample.image, c.at, c.value, c.size);
    std::vector<std::uint8_t> file = sample.build();
    if (c.where == File)
        put(file, c.at, c.value, c.size);
    if (c.where == Cut)
        file.resize(c.at);
    Rig rig(file);
    if (c.where == ExportTable) {
        ASSERT_NE(rig.load(), 0u);
        EXPECT_EQ(rig.loader.findExport("Skin[1]"), 0u);
        EXPECT_EQ(rig.loader.findExport(std::uint16_t(Sample::ExportBase + 9)), 0u);
        return;
    }

    EXPECT_EQ(rig.load(), 0u);
    EXPECT_EQ(rig.host.messages, (std::vector<std::pair<QString, QString>>{
                                     {QStringLiteral("指定的资源不是有效的DLL文件!"),
                                      QStringLiteral("装入动态链接库出错")}}));
    EXPECT_TRUE(rig.host.everyReservationReleased());
    EXPECT_TRUE(rig.host.loadedLibraries.empty());
    EXPECT_TRUE(rig.host.entryCalls.empty());
    EXPECT_EQ(rig.loader.imageBase(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Headers, MalformedImage, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case> &info) {
                             return std::string(info.param.name);
                         });
