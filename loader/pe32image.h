#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Reading and mapping a 32-bit PE/COFF library image (PE32). Every offset and size taken from
// the image is checked in 64-bit arithmetic against the bytes at hand before it is used: the
// file image for headers and raw section data, the SizeOfImage bytes of the mapped image for
// everything addressed by RVA. A check that fails refuses the image; nothing is read outside it.
namespace Pe32 {

using Bytes = std::span<const std::uint8_t>;
using MutableBytes = std::span<std::uint8_t>;

// True when [offset, offset + length) lies within `size` bytes.
constexpr bool fits(std::uint64_t size, std::uint64_t offset, std::uint64_t length)
{
    return offset <= size && length <= size - offset;
}
std::optional<std::uint16_t> read16(Bytes bytes, std::uint64_t offset);
std::optional<std::uint32_t> read32(Bytes bytes, std::uint64_t offset);
// Writes a little-endian 32-bit word; false, writing nothing, when it does not fit.
bool write32(MutableBytes bytes, std::uint64_t offset, std::uint32_t value);
// The NUL-terminated name at `offset`; nothing when it runs off the bytes.
std::optional<std::string> readName(Bytes bytes, std::uint64_t offset);

struct DataDirectory
{
    std::uint32_t address = 0; // RVA; 0 when the image has no such table
    std::uint32_t size = 0;
};

struct Section
{
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t sizeOfRawData = 0;
    std::uint32_t pointerToRawData = 0;
};

struct Headers
{
    std::uint32_t entryPoint = 0; // RVA; 0 when the library has no entry point
    std::uint32_t imageBase = 0;  // preferred address
    std::uint32_t sizeOfImage = 0;
    std::uint32_t sizeOfHeaders = 0;
    DataDirectory exports;
    DataDirectory imports;
    DataDirectory relocations;
    std::vector<Section> sections;
};

// The headers of a PE32 file image, or nothing when the image is not one: wrong signatures, or a
// header, the section table, a section's raw data or virtual range, a table or the entry point
// that does not fit in the file or in SizeOfImage.
std::optional<Headers> readHeaders(Bytes file);

// Copies the headers and exactly SizeOfRawData bytes of each section to the mapped image (its
// SizeOfImage bytes, zero-filled). False when something does not fit.
bool copySections(Bytes file, const Headers &headers, MutableBytes image);

// Adds `delta` to the 32-bit word of every HIGHLOW relocation; other entry types are skipped.
// The walk ends at the end of the directory or at a block whose page address is 0. False when a
// block is shorter than its own header, runs past the directory, or points outside the image.
bool applyRelocations(MutableBytes image, DataDirectory directory, std::uint32_t delta);

struct ImportedFunction
{
    std::string name; // empty when imported by ordinal
    std::uint16_t ordinal = 0;
};

struct ImportedLibrary
{
    std::string name;
    std::uint32_t addressTable = 0; // RVA of the slots the functions' addresses go to, in order
    std::vector<ImportedFunction> functions;
};

// The import descriptors up to the first with a zero Name, with their lookup tables (or address
// tables when a lookup table is missing). Nothing when a descriptor, table or name runs off the
// image, or a descriptor has no address table.
std::optional<std::vector<ImportedLibrary>> readImports(Bytes image, DataDirectory directory);

// RVA of an exported function, or 0: names compare ignoring the case of ASCII letters. Unused
// slots, forwarded exports and tables that do not fit in the image give 0.
std::uint32_t findExport(Bytes image, DataDirectory directory, std::string_view name);
std::uint32_t findExport(Bytes image, DataDirectory directory, std::uint16_t ordinal);

} // namespace Pe32
