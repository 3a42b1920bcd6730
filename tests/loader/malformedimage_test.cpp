#include "loader/resourcedllloader.h"
#include "peimagebuilder.h"
#include "samplehost.h"
#include "tests/loader/testloaderhost.h"

#include <gtest/gtest.h>

#include <functional>

// Every header, table and name the loader reads is checked against the file and SizeOfImage.
// A malformed image is refused with one message, leaves no memory reserved and no library
// loaded, and is never read outside its bytes: the test host puts an inaccessible page right
// after the resource and after the mapped image.

namespace {

using Sample = SampleLibrary;

void patch16(std::vector<std::uint8_t> &file, std::size_t at, std::uint16_t value)
{
    file.at(at) = static_cast<std::uint8_t>(value);
    file.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void patch32(std::vector<std::uint8_t> &file, std::size_t at, std::uint32_t value)
{
    patch16(file, at, static_cast<std::uint16_t>(value));
    patch16(file, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::size_t sectionField(const PeImageBuilder &builder, std::size_t section, std::size_t field)
{
    return builder.sectionTableOffset() + 40 * section + field;
}

constexpr std::size_t VirtualSizeField = 8;
constexpr std::size_t VirtualAddressField = 12;
constexpr std::size_t PointerToRawDataField = 20;
constexpr std::uint32_t SampleImageEnd = 0x4000;

// The first import descriptor of the sample, and its first lookup table.
constexpr std::uint32_t Descriptor = Sample::Data;

// A section that ends the image with bytes that are not NUL, so a name there never ends.
void addUnterminatedTail(PeImageBuilder &builder)
{
    builder.addSection(0x3F00, 0x100, 0x100);
    std::fill(builder.image.begin() + 0x3F00, builder.image.end(), 'A');
}

struct MalformedCase
{
    const char *name;
    std::function<void(PeImageBuilder &)> edit;             // before the file is built
    std::function<void(std::vector<std::uint8_t> &)> patch; // on the built file
};

void nothing(PeImageBuilder &) {}
void noPatch(std::vector<std::uint8_t> &) {}

const MalformedCase Cases[] = {
    // Signatures and the PE header's place.
    {"NoDosSignature", nothing, [](auto &file) { file[1] = 'X'; }},
    {"ShorterThanTheDosHeader", nothing, [](auto &file) { file.resize(0x3E); }},
    {"PeHeaderPastTheFile", nothing,
     [](auto &file) { patch32(file, 0x3C, std::uint32_t(file.size() - 8)); }},
    {"PeOffsetWrapsIn32Bits", nothing, [](auto &file) { patch32(file, 0x3C, 0xFFFFFFFC); }},
    {"NoPeSignature", nothing, [](auto &file) { file[PeImageBuilder::PeOffset + 3] = 1; }},
    {"Pe32PlusImage", [](PeImageBuilder &b) { b.magic = 0x20B; }, noPatch},
    // The optional header and the section table.
    {"OptionalHeaderTooShort", [](PeImageBuilder &b) { b.optionalHeaderSize = 64; }, noPatch},
    {"OptionalHeaderPastTheFile", nothing,
     [](auto &file) { patch16(file, PeImageBuilder::FileHeaderOffset + 16, 0xFFFF); }},
    {"MoreDirectoriesThanTheOptionalHeaderHolds",
     [](PeImageBuilder &b) { b.optionalHeaderSize = 96 + 6 * 8; }, noPatch},
    {"SectionTablePastTheFile", [](PeImageBuilder &b) { b.numberOfSections = 0xFFFF; }, noPatch},
    {"SizeOfImageZero", nothing,
     [](auto &file) { patch32(file, PeImageBuilder::OptionalHeaderOffset + 56, 0); }},
    {"HeadersLargerThanTheFile", nothing,
     [](auto &file) {
         patch32(file, PeImageBuilder::OptionalHeaderOffset + 60, std::uint32_t(file.size() + 1));
     }},
    {"EntryPointOutsideTheImage", [](PeImageBuilder &b) { b.entryPoint = SampleImageEnd; },
     noPatch},
    // Sections.
    {"RawDataPastTheFile", nothing,
     [](auto &file) {
         patch32(file, sectionField(Sample().builder, 2, PointerToRawDataField),
                 std::uint32_t(file.size() - 0x20));
     }},
    {"RawDataPointerWrapsIn32Bits", nothing,
     [](auto &file) {
         patch32(file, sectionField(Sample().builder, 2, PointerToRawDataField), 0xFFFFFFF0);
     }},
    {"RawDataPastSizeOfImage", nothing,
     [](auto &file) {
         patch32(file, sectionField(Sample().builder, 2, VirtualAddressField), 0x3FF0);
         patch32(file, sectionField(Sample().builder, 2, VirtualSizeField), 0x10);
     }},
    {"VirtualRangeWrapsIn32Bits", nothing,
     [](auto &file) {
         patch32(file, sectionField(Sample().builder, 1, VirtualSizeField), 0xFFFFF000);
     }},
    // Relocations.
    {"RelocationDirectoryPastTheImage",
     [](PeImageBuilder &b) { b.setDirectory(5, Sample::Relocations, 0x1001); }, noPatch},
    {"RelocationBlockShorterThanItsHeader",
     [](PeImageBuilder &b) { b.put32(Sample::Relocations + 4, 4); }, noPatch},
    {"RelocationBlockPastTheDirectory",
     [](PeImageBuilder &b) { b.put32(Sample::Relocations + 4, 0x100); }, noPatch},
    {"RelocationTargetPastTheImage",
     [](PeImageBuilder &b) { b.put32(Sample::Relocations, SampleImageEnd - 0x100); }, noPatch},
    // Imports.
    {"ImportDescriptorPastTheImage",
     [](PeImageBuilder &b) { b.setDirectory(1, SampleImageEnd - 0x10, 0x10); }, noPatch},
    {"LibraryNameRunsOffTheImage",
     [](PeImageBuilder &b) {
         addUnterminatedTail(b);
         b.put32(Descriptor + 12, 0x3F80);
     },
     noPatch},
    {"LibraryNamePastTheImage", [](PeImageBuilder &b) { b.put32(Descriptor + 12, 0x7FFFFFFF); },
     noPatch},
    {"FunctionNameRunsOffTheImage",
     [](PeImageBuilder &b) {
         addUnterminatedTail(b);
         b.put32(b.get32(Descriptor), 0x3F80);
     },
     noPatch},
    {"HintPastTheImage", [](PeImageBuilder &b) { b.put32(b.get32(Descriptor), 0x3FFF); }, noPatch},
    {"LookupTablePastTheImage", [](PeImageBuilder &b) { b.put32(Descriptor, SampleImageEnd - 2); },
     noPatch},
    {"AddressTableShorterThanTheLookupTable",
     [](PeImageBuilder &b) { b.put32(Descriptor + 16, SampleImageEnd - 4); }, noPatch},
    {"NoAddressTable", [](PeImageBuilder &b) { b.put32(Descriptor + 16, 0); }, noPatch},
};

class MalformedImage : public testing::TestWithParam<MalformedCase>
{
};

} // namespace

TEST_P(MalformedImage, IsRefusedAndLeavesNothingBehind)
{
    Sample sample;
    GetParam().edit(sample.builder);
    std::vector<std::uint8_t> file = sample.builder.build();
    GetParam().patch(file);
    TestLoaderHost host;
    prepare(host, file);
    ResourceDllLoader loader(host);

    EXPECT_EQ(load(loader), 0u);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("指定的资源不是有效的DLL文件!"));
    EXPECT_EQ(host.messages[0].caption, QStringLiteral("装入动态链接库出错"));
    EXPECT_TRUE(host.everyReservationReleased());
    EXPECT_TRUE(host.loadedLibraries.empty());
    EXPECT_TRUE(host.entryCalls.empty());
    EXPECT_EQ(loader.imageBase(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Headers, MalformedImage, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<MalformedCase> &info) {
                             return std::string(info.param.name);
                         });
