#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Builds small PE32 library images for the loader's tests. The content is laid out as it will be
// in memory (by RVA); build() writes the headers and stores each section's first rawSize bytes
// in the file. Every header field is a public member, so a test can make any of them lie.
class PeImageBuilder
{
public:
    static constexpr std::uint32_t DefaultImageBase = 0x10000000;
    static constexpr std::uint32_t PeOffset = 0x80;
    static constexpr std::uint32_t FileHeaderOffset = PeOffset + 4;
    static constexpr std::uint32_t OptionalHeaderOffset = FileHeaderOffset + 20;

    struct Section
    {
        std::uint32_t virtualAddress = 0;
        std::uint32_t virtualSize = 0;
        std::uint32_t rawSize = 0;
        std::optional<std::uint32_t> pointerToRawData; // laid out by build() when not set
    };

    explicit PeImageBuilder(std::uint32_t sizeOfImage = 0x4000);

    void addSection(std::uint32_t virtualAddress, std::uint32_t virtualSize, std::uint32_t rawSize);
    void setDirectory(int index, std::uint32_t rva, std::uint32_t size);

    void put16(std::uint32_t rva, std::uint16_t value);
    void put32(std::uint32_t rva, std::uint32_t value);
    void putString(std::uint32_t rva, std::string_view text); // with its NUL
    std::uint32_t get32(std::uint32_t rva) const;

    // The file image. Raw data follows the headers in section table order, or in reverse order
    // with `reverseFileOrder`.
    std::vector<std::uint8_t> build() const;
    std::uint32_t sectionTableOffset() const { return OptionalHeaderOffset + optionalHeaderSize; }

    std::uint32_t peOffset = PeOffset;
    std::uint16_t magic = 0x10B;
    std::uint16_t optionalHeaderSize = 224;
    std::optional<std::uint16_t> numberOfSections; // the table's length when not set
    std::uint32_t numberOfRvaAndSizes = 16;
    std::uint32_t imageBase = DefaultImageBase;
    std::uint32_t sizeOfImage;
    std::uint32_t sizeOfHeaders = 0x200;
    std::uint32_t entryPoint = 0;
    bool reverseFileOrder = false;
    std::array<std::pair<std::uint32_t, std::uint32_t>, 16> directories{};
    std::vector<Section> sections;
    std::vector<std::uint8_t> image; // sizeOfImage bytes as mapped
};

// An import by name or by ordinal.
using ImportName = std::variant<std::string, std::uint16_t>;
struct ImportSpec
{
    std::string library;
    std::vector<ImportName> functions;
    bool withLookupTable = true; // else only the address table names the functions
};
// Writes descriptors, tables and names from `rva` on and sets the import directory. Returns the
// RVA of each library's address table.
std::vector<std::uint32_t> writeImports(PeImageBuilder &builder, std::uint32_t rva,
                                        const std::vector<ImportSpec> &imports);

struct ExportSpec
{
    std::string libraryName = "SAMPLE.dll";
    std::uint32_t base = 1;
    std::vector<std::uint32_t> functions; // RVAs by ordinal - base; 0 for an unused slot
    std::vector<std::pair<std::string, std::uint16_t>> names; // name, index into functions
};
// Writes the export directory and its tables from `rva` on and sets the export directory;
// returns the RVA past the last byte written.
std::uint32_t writeExports(PeImageBuilder &builder, std::uint32_t rva, const ExportSpec &exports);

struct RelocationBlock
{
    std::uint32_t page = 0;
    std::vector<std::uint16_t> entries; // type << 12 | offset
};
// Writes the blocks from `rva` on and sets the relocation directory to cover them.
void writeRelocations(PeImageBuilder &builder, std::uint32_t rva,
                      const std::vector<RelocationBlock> &blocks);

// A library like the one the program would carry: code at 0x1000 with absolute addresses,
// imports from KERNEL32.dll (by name and by ordinal) and USER32.dll, exports named
// "SkinH_AttachResEx" and "SkinH_Detach" from ordinal 5, relocations, entry point 0x1000.
struct SampleLibrary
{
    static constexpr std::uint32_t Text = 0x1000;
    static constexpr std::uint32_t Data = 0x2000;
    static constexpr std::uint32_t Relocations = 0x3000;
    // HIGHLOW targets and the absolute addresses they hold before relocation.
    static constexpr std::uint32_t MovedWords[] = {0x1040, 0x1044, 0x13FC, 0x22F0};
    // A word behind an entry of another type, which stays as it is.
    static constexpr std::uint32_t OtherTypeWord = 0x1048;
    static constexpr std::uint32_t Attach = 0x1100;
    static constexpr std::uint32_t Detach = 0x1200;
    static constexpr std::uint32_t Unnamed = 0x1300;
    static constexpr std::uint32_t ExportBase = 5;

    SampleLibrary();
    PeImageBuilder builder;
    std::vector<std::uint32_t> addressTables; // KERNEL32.dll, USER32.dll
};
