#include "loader/pe32image.h"

#include <algorithm>
#include <cstring>

namespace Pe32 {

namespace {

// DOS header: "MZ", and at 0x3C the file offset of the PE header.
constexpr std::uint64_t DosHeaderSize = 0x40;
constexpr std::uint64_t PeOffsetField = 0x3C;
constexpr std::uint32_t PeSignature = 0x00004550; // "PE\0\0"

// File header, after the 4-byte signature.
constexpr std::uint64_t FileHeaderSize = 20;
constexpr std::uint64_t NumberOfSectionsField = 2;
constexpr std::uint64_t SizeOfOptionalHeaderField = 16;

// PE32 optional header; the data directories, 8 bytes each, follow its 96 fixed bytes.
constexpr std::uint16_t Pe32Magic = 0x10B;
constexpr std::uint64_t EntryPointField = 16;
constexpr std::uint64_t ImageBaseField = 28;
constexpr std::uint64_t SizeOfImageField = 56;
constexpr std::uint64_t SizeOfHeadersField = 60;
constexpr std::uint64_t NumberOfRvaAndSizesField = 92;
constexpr std::uint64_t DirectoriesOffset = 96;
constexpr std::uint32_t MaxDirectories = 16;
constexpr std::uint32_t ExportDirectory = 0;
constexpr std::uint32_t ImportDirectory = 1;
constexpr std::uint32_t RelocationDirectory = 5;

// Section header, 40 bytes.
constexpr std::uint64_t SectionHeaderSize = 40;

// Base relocation block: page RVA, SizeOfBlock, then 16-bit entries (type << 12 | offset).
constexpr std::uint64_t RelocationBlockHeader = 8;
constexpr unsigned RelocationHighLow = 3;

// Import descriptor, 20 bytes; lookup entries are 32 bits.
constexpr std::uint64_t ImportDescriptorSize = 20;
constexpr std::uint64_t DescriptorNameField = 12;
constexpr std::uint64_t DescriptorAddressTableField = 16;
constexpr std::uint32_t ImportByOrdinal = 0x80000000;
constexpr std::uint64_t HintSize = 2;

// Export directory, 40 bytes.
constexpr std::uint64_t ExportDirectorySize = 40;

std::uint16_t get16(Bytes bytes, std::uint64_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t get32(Bytes bytes, std::uint64_t offset)
{
    return static_cast<std::uint32_t>(bytes[offset]) |
           static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

void put32(MutableBytes bytes, std::uint64_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool fitsIn(Bytes bytes, std::uint64_t offset, std::uint64_t length)
{
    return fits(bytes.size(), offset, length);
}

bool equalIgnoringAsciiCase(char a, char b)
{
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
}

// Whether the NUL-terminated name at `offset` equals `name`; nothing when it runs off the bytes.
std::optional<bool> nameMatches(Bytes bytes, std::uint64_t offset, std::string_view name)
{
    for (std::uint64_t i = 0;; ++i) {
        if (!fitsIn(bytes, offset, i + 1))
            return std::nullopt;
        const char c = static_cast<char>(bytes[offset + i]);
        if (c == '\0')
            return i == name.size();
        if (i >= name.size() || !equalIgnoringAsciiCase(c, name[i])) {
            // Still refuse a name that never ends inside the image.
            const Bytes rest = bytes.subspan(offset + i);
            if (std::find(rest.begin(), rest.end(), std::uint8_t{0}) == rest.end())
                return std::nullopt;
            return false;
        }
    }
}

struct ExportTables
{
    std::uint32_t base = 0;
    std::uint32_t numberOfFunctions = 0;
    std::uint32_t numberOfNames = 0;
    std::uint32_t functions = 0;
    std::uint32_t names = 0;
    std::uint32_t nameOrdinals = 0;
};

std::optional<ExportTables> readExportTables(Bytes image, DataDirectory directory)
{
    if (directory.address == 0 || !fitsIn(image, directory.address, ExportDirectorySize))
        return std::nullopt;
    const std::uint64_t at = directory.address;
    ExportTables tables{get32(image, at + 16), get32(image, at + 20), get32(image, at + 24),
                        get32(image, at + 28), get32(image, at + 32), get32(image, at + 36)};
    if (!fitsIn(image, tables.functions, std::uint64_t(tables.numberOfFunctions) * 4))
        return std::nullopt;
    return tables;
}

// The function at `index` of the address table, or 0 for an unused slot, an address outside the
// image or a forwarder (an RVA inside the export directory names another library's function).
std::uint32_t exportedFunction(Bytes image, DataDirectory directory, const ExportTables &tables,
                               std::uint32_t index)
{
    if (index >= tables.numberOfFunctions)
        return 0;
    const std::uint32_t rva = get32(image, tables.functions + std::uint64_t(index) * 4);
    if (rva == 0 || rva >= image.size())
        return 0;
    if (rva >= directory.address && rva - directory.address < directory.size)
        return 0;
    return rva;
}

} // namespace

std::optional<std::uint16_t> read16(Bytes bytes, std::uint64_t offset)
{
    if (!fitsIn(bytes, offset, 2))
        return std::nullopt;
    return get16(bytes, offset);
}

std::optional<std::uint32_t> read32(Bytes bytes, std::uint64_t offset)
{
    if (!fitsIn(bytes, offset, 4))
        return std::nullopt;
    return get32(bytes, offset);
}

bool write32(MutableBytes bytes, std::uint64_t offset, std::uint32_t value)
{
    if (!fits(bytes.size(), offset, 4))
        return false;
    put32(bytes, offset, value);
    return true;
}

std::optional<std::string> readName(Bytes bytes, std::uint64_t offset)
{
    if (offset >= bytes.size())
        return std::nullopt;
    const Bytes rest = bytes.subspan(offset);
    const auto end = std::find(rest.begin(), rest.end(), std::uint8_t{0});
    if (end == rest.end())
        return std::nullopt;
    return std::string(rest.begin(), end);
}

std::optional<Headers> readHeaders(Bytes file)
{
    if (file.size() < DosHeaderSize || file[0] != 'M' || file[1] != 'Z')
        return std::nullopt;
    const std::uint64_t pe = get32(file, PeOffsetField);
    if (!fitsIn(file, pe, 4 + FileHeaderSize) || get32(file, pe) != PeSignature)
        return std::nullopt;

    const std::uint64_t fileHeader = pe + 4;
    const std::uint16_t numberOfSections = get16(file, fileHeader + NumberOfSectionsField);
    // Read rather than assumed: the section table starts right after the optional header,
    // whatever its size.
    const std::uint16_t optionalSize = get16(file, fileHeader + SizeOfOptionalHeaderField);
    const std::uint64_t optional = fileHeader + FileHeaderSize;
    if (optionalSize < DirectoriesOffset || !fitsIn(file, optional, optionalSize) ||
        get16(file, optional) != Pe32Magic)
        return std::nullopt;

    Headers headers;
    headers.entryPoint = get32(file, optional + EntryPointField);
    headers.imageBase = get32(file, optional + ImageBaseField);
    headers.sizeOfImage = get32(file, optional + SizeOfImageField);
    headers.sizeOfHeaders = get32(file, optional + SizeOfHeadersField);
    const std::uint32_t directories =
        std::min(get32(file, optional + NumberOfRvaAndSizesField), MaxDirectories);
    if (DirectoriesOffset + std::uint64_t(directories) * 8 > optionalSize)
        return std::nullopt;
    const auto directory = [&](std::uint32_t index) {
        if (index >= directories)
            return DataDirectory{};
        const std::uint64_t at = optional + DirectoriesOffset + std::uint64_t(index) * 8;
        return DataDirectory{get32(file, at), get32(file, at + 4)};
    };
    headers.exports = directory(ExportDirectory);
    headers.imports = directory(ImportDirectory);
    headers.relocations = directory(RelocationDirectory);

    const std::uint64_t imageSize = headers.sizeOfImage;
    if (imageSize == 0 || headers.sizeOfHeaders > imageSize || headers.sizeOfHeaders > file.size())
        return std::nullopt;
    if (headers.entryPoint != 0 && headers.entryPoint >= imageSize)
        return std::nullopt;
    for (const DataDirectory &table : {headers.exports, headers.imports, headers.relocations}) {
        if (table.address != 0 && !fits(imageSize, table.address, table.size))
            return std::nullopt;
    }

    const std::uint64_t sectionTable = optional + optionalSize;
    if (!fitsIn(file, sectionTable, numberOfSections * SectionHeaderSize))
        return std::nullopt;
    headers.sections.reserve(numberOfSections);
    for (std::uint64_t i = 0; i < numberOfSections; ++i) {
        const std::uint64_t at = sectionTable + i * SectionHeaderSize;
        const Section section{get32(file, at + 12), get32(file, at + 8), get32(file, at + 16),
                              get32(file, at + 20)};
        if (!fits(imageSize, section.virtualAddress, section.virtualSize))
            return std::nullopt;
        if (section.sizeOfRawData != 0 &&
            (!fitsIn(file, section.pointerToRawData, section.sizeOfRawData) ||
             !fits(imageSize, section.virtualAddress, section.sizeOfRawData)))
            return std::nullopt;
        headers.sections.push_back(section);
    }
    return headers;
}

bool copySections(Bytes file, const Headers &headers, MutableBytes image)
{
    if (!fitsIn(file, 0, headers.sizeOfHeaders) || !fits(image.size(), 0, headers.sizeOfHeaders))
        return false;
    std::memcpy(image.data(), file.data(), headers.sizeOfHeaders);
    for (const Section &section : headers.sections) {
        if (section.sizeOfRawData == 0)
            continue;
        if (!fitsIn(file, section.pointerToRawData, section.sizeOfRawData) ||
            !fits(image.size(), section.virtualAddress, section.sizeOfRawData))
            return false;
        std::memcpy(image.data() + section.virtualAddress, file.data() + section.pointerToRawData,
                    section.sizeOfRawData);
    }
    return true;
}

bool applyRelocations(MutableBytes image, DataDirectory directory, std::uint32_t delta)
{
    if (directory.address == 0)
        return true;
    if (!fits(image.size(), directory.address, directory.size))
        return false;
    const std::uint64_t end = std::uint64_t(directory.address) + directory.size;
    std::uint64_t block = directory.address;
    while (end - block >= RelocationBlockHeader) {
        const std::uint32_t page = get32(image, block);
        const std::uint32_t blockSize = get32(image, block + 4);
        if (page == 0)
            break;
        if (blockSize < RelocationBlockHeader || blockSize > end - block)
            return false;
        const std::uint64_t entries = (blockSize - RelocationBlockHeader) / 2;
        for (std::uint64_t i = 0; i < entries; ++i) {
            const std::uint16_t entry = get16(image, block + RelocationBlockHeader + 2 * i);
            if (entry >> 12 != RelocationHighLow)
                continue;
            const std::uint64_t target = std::uint64_t(page) + (entry & 0xFFF);
            if (!fits(image.size(), target, 4))
                return false;
            put32(image, target, get32(image, target) + delta);
        }
        block += blockSize;
    }
    return true;
}

std::optional<std::vector<ImportedLibrary>> readImports(Bytes image, DataDirectory directory)
{
    std::vector<ImportedLibrary> libraries;
    if (directory.address == 0)
        return libraries;
    for (std::uint64_t descriptor = directory.address;; descriptor += ImportDescriptorSize) {
        if (!fitsIn(image, descriptor, ImportDescriptorSize))
            return std::nullopt;
        const std::uint32_t nameRva = get32(image, descriptor + DescriptorNameField);
        if (nameRva == 0)
            break;
        ImportedLibrary library;
        std::optional<std::string> name = readName(image, nameRva);
        library.addressTable = get32(image, descriptor + DescriptorAddressTableField);
        if (!name || library.addressTable == 0)
            return std::nullopt;
        library.name = std::move(*name);
        const std::uint32_t lookupTable = get32(image, descriptor);
        const std::uint64_t table = lookupTable != 0 ? lookupTable : library.addressTable;
        for (std::uint64_t i = 0;; ++i) {
            const std::optional<std::uint32_t> entry = read32(image, table + 4 * i);
            if (!entry)
                return std::nullopt;
            if (*entry == 0)
                break;
            if (!fitsIn(image, library.addressTable + 4 * i, 4))
                return std::nullopt;
            ImportedFunction function;
            if (*entry & ImportByOrdinal) {
                function.ordinal = static_cast<std::uint16_t>(*entry & 0xFFFF);
            } else {
                // A 2-byte hint, then the name.
                std::optional<std::string> functionName = readName(image, *entry + HintSize);
                if (!functionName || functionName->empty())
                    return std::nullopt;
                function.name = std::move(*functionName);
            }
            library.functions.push_back(std::move(function));
        }
        libraries.push_back(std::move(library));
    }
    return libraries;
}

std::uint32_t findExport(Bytes image, DataDirectory directory, std::string_view name)
{
    const std::optional<ExportTables> tables = readExportTables(image, directory);
    if (!tables || !fitsIn(image, tables->names, std::uint64_t(tables->numberOfNames) * 4) ||
        !fitsIn(image, tables->nameOrdinals, std::uint64_t(tables->numberOfNames) * 2))
        return 0;
    for (std::uint64_t i = 0; i < tables->numberOfNames; ++i) {
        const std::optional<bool> matches =
            nameMatches(image, get32(image, tables->names + 4 * i), name);
        if (!matches)
            return 0;
        if (*matches)
            return exportedFunction(image, directory, *tables,
                                    get16(image, tables->nameOrdinals + 2 * i));
    }
    return 0;
}

std::uint32_t findExport(Bytes image, DataDirectory directory, std::uint16_t ordinal)
{
    const std::optional<ExportTables> tables = readExportTables(image, directory);
    if (!tables)
        return 0;
    // Below Base the index wraps to a large value and misses the table.
    return exportedFunction(image, directory, *tables, ordinal - tables->base);
}

} // namespace Pe32
