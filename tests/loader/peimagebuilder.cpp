#include "peimagebuilder.h"

#include <algorithm>
#include <cstring>

namespace {

void put16At(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint16_t value)
{
    bytes.at(at) = static_cast<std::uint8_t>(value);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}

void put32At(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint32_t value)
{
    put16At(bytes, at, static_cast<std::uint16_t>(value));
    put16At(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

PeImageBuilder::PeImageBuilder(std::uint32_t size) : sizeOfImage(size), image(size, 0) {}

void PeImageBuilder::addSection(std::uint32_t virtualAddress, std::uint32_t virtualSize,
                                std::uint32_t rawSize)
{
    sections.push_back({virtualAddress, virtualSize, rawSize, std::nullopt});
}

void PeImageBuilder::setDirectory(int index, std::uint32_t rva, std::uint32_t size)
{
    directories.at(index) = {rva, size};
}

void PeImageBuilder::put16(std::uint32_t rva, std::uint16_t value)
{
    put16At(image, rva, value);
}

void PeImageBuilder::put32(std::uint32_t rva, std::uint32_t value)
{
    put32At(image, rva, value);
}

void PeImageBuilder::putString(std::uint32_t rva, std::string_view text)
{
    std::copy(text.begin(), text.end(), image.begin() + rva);
    image.at(rva + text.size()) = 0;
}

std::uint32_t PeImageBuilder::get32(std::uint32_t rva) const
{
    return std::uint32_t(image.at(rva)) | std::uint32_t(image.at(rva + 1)) << 8 |
           std::uint32_t(image.at(rva + 2)) << 16 | std::uint32_t(image.at(rva + 3)) << 24;
}

std::vector<std::uint8_t> PeImageBuilder::build() const
{
    // Lay out the raw data after the headers.
    std::vector<std::uint32_t> pointers(sections.size());
    std::uint32_t next = sizeOfHeaders;
    std::vector<std::size_t> order(sections.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = reverseFileOrder ? order.size() - 1 - i : i;
    for (std::size_t i : order) {
        pointers[i] = sections[i].pointerToRawData.value_or(next);
        if (!sections[i].pointerToRawData)
            next += sections[i].rawSize;
    }
    const std::size_t headerEnd = sectionTableOffset() + 40 * sections.size();
    std::vector<std::uint8_t> file(std::max<std::size_t>({next, sizeOfHeaders, headerEnd}), 0);

    file[0] = 'M';
    file[1] = 'Z';
    put32At(file, 0x3C, peOffset);
    const std::string_view signature("PE\0\0", 4);
    std::copy(signature.begin(), signature.end(), file.begin() + PeOffset);
    put16At(file, FileHeaderOffset, 0x14C); // i386
    put16At(file, FileHeaderOffset + 2,
            numberOfSections.value_or(static_cast<std::uint16_t>(sections.size())));
    put16At(file, FileHeaderOffset + 16, optionalHeaderSize);
    put16At(file, FileHeaderOffset + 18, 0x2102); // executable, 32-bit, library

    const std::size_t optional = OptionalHeaderOffset;
    put16At(file, optional, magic);
    put32At(file, optional + 16, entryPoint);
    put32At(file, optional + 28, imageBase);
    put32At(file, optional + 32, 0x1000); // SectionAlignment
    put32At(file, optional + 36, 0x200);  // FileAlignment
    put32At(file, optional + 56, sizeOfImage);
    put32At(file, optional + 60, sizeOfHeaders);
    put32At(file, optional + 92, numberOfRvaAndSizes);
    for (std::size_t i = 0; i < directories.size() && 96 + 8 * i + 8 <= optionalHeaderSize; ++i) {
        put32At(file, optional + 96 + 8 * i, directories[i].first);
        put32At(file, optional + 96 + 8 * i + 4, directories[i].second);
    }

    for (std::size_t i = 0; i < sections.size(); ++i) {
        const Section &section = sections[i];
        const std::size_t at = sectionTableOffset() + 40 * i;
        const std::string name = ".s" + std::to_string(i);
        std::copy(name.begin(), name.end(), file.begin() + at);
        put32At(file, at + 8, section.virtualSize);
        put32At(file, at + 12, section.virtualAddress);
        put32At(file, at + 16, section.rawSize);
        put32At(file, at + 20, pointers[i]);
        if (!section.pointerToRawData && section.rawSize != 0)
            std::memcpy(file.data() + pointers[i], image.data() + section.virtualAddress,
                        section.rawSize);
    }
    return file;
}

std::vector<std::uint32_t> writeImports(PeImageBuilder &builder, std::uint32_t rva,
                                        const std::vector<ImportSpec> &imports)
{
    std::vector<std::uint32_t> addressTables;
    const std::uint32_t descriptors = rva;
    std::uint32_t next = rva + 20 * static_cast<std::uint32_t>(imports.size() + 1);
    for (std::size_t i = 0; i < imports.size(); ++i) {
        const ImportSpec &import = imports[i];
        const auto tableSize = 4 * static_cast<std::uint32_t>(import.functions.size() + 1);
        const std::uint32_t lookup = import.withLookupTable ? next : 0;
        if (import.withLookupTable)
            next += tableSize;
        const std::uint32_t addresses = next;
        next += tableSize;
        addressTables.push_back(addresses);

        for (std::size_t f = 0; f < import.functions.size(); ++f) {
            std::uint32_t entry;
            if (const auto *ordinal = std::get_if<std::uint16_t>(&import.functions[f])) {
                entry = 0x80000000u | *ordinal;
            } else {
                entry = next;
                builder.put16(next, static_cast<std::uint16_t>(f)); // hint
                const std::string &name = std::get<std::string>(import.functions[f]);
                builder.putString(next + 2, name);
                next += 2 + static_cast<std::uint32_t>(name.size()) + 1;
            }
            if (lookup != 0)
                builder.put32(lookup + 4 * static_cast<std::uint32_t>(f), entry);
            builder.put32(addresses + 4 * static_cast<std::uint32_t>(f), entry);
        }
        const std::uint32_t name = next;
        builder.putString(name, import.library);
        next += static_cast<std::uint32_t>(import.library.size()) + 1;

        const std::uint32_t descriptor = descriptors + 20 * static_cast<std::uint32_t>(i);
        builder.put32(descriptor, lookup);
        builder.put32(descriptor + 12, name);
        builder.put32(descriptor + 16, addresses);
    }
    builder.setDirectory(1, descriptors, 20 * static_cast<std::uint32_t>(imports.size() + 1));
    return addressTables;
}

std::uint32_t writeExports(PeImageBuilder &builder, std::uint32_t rva, const ExportSpec &exports)
{
    const auto functionCount = static_cast<std::uint32_t>(exports.functions.size());
    const auto nameCount = static_cast<std::uint32_t>(exports.names.size());
    const std::uint32_t functions = rva + 40;
    const std::uint32_t names = functions + 4 * functionCount;
    const std::uint32_t ordinals = names + 4 * nameCount;
    std::uint32_t next = ordinals + 2 * nameCount;

    builder.put32(rva + 12, next);
    builder.putString(next, exports.libraryName);
    next += static_cast<std::uint32_t>(exports.libraryName.size()) + 1;
    builder.put32(rva + 16, exports.base);
    builder.put32(rva + 20, functionCount);
    builder.put32(rva + 24, nameCount);
    builder.put32(rva + 28, functions);
    builder.put32(rva + 32, names);
    builder.put32(rva + 36, ordinals);
    for (std::uint32_t i = 0; i < functionCount; ++i)
        builder.put32(functions + 4 * i, exports.functions[i]);
    for (std::uint32_t i = 0; i < nameCount; ++i) {
        builder.put32(names + 4 * i, next);
        builder.put16(ordinals + 2 * i, exports.names[i].second);
        builder.putString(next, exports.names[i].first);
        next += static_cast<std::uint32_t>(exports.names[i].first.size()) + 1;
    }
    builder.setDirectory(0, rva, next - rva);
    return next;
}

void writeRelocations(PeImageBuilder &builder, std::uint32_t rva,
                      const std::vector<RelocationBlock> &blocks)
{
    std::uint32_t next = rva;
    for (const RelocationBlock &block : blocks) {
        const auto size = 8 + 2 * static_cast<std::uint32_t>(block.entries.size());
        builder.put32(next, block.page);
        builder.put32(next + 4, size);
        for (std::size_t i = 0; i < block.entries.size(); ++i)
            builder.put16(next + 8 + 2 * static_cast<std::uint32_t>(i), block.entries[i]);
        next += size;
    }
    builder.setDirectory(5, rva, next - rva);
}

SampleLibrary::SampleLibrary()
{
    PeImageBuilder &b = builder;
    b.addSection(Text, 0x1000, 0x400);
    b.addSection(Data, 0x1000, 0x300);
    b.addSection(Relocations, 0x100, 0x40);
    b.entryPoint = Text;

    // Code: a few recognisable bytes, and absolute addresses into the image.
    b.putString(Text, "\x55\x8B\xEC\xB8\x01");
    b.put32(MovedWords[0], b.imageBase + Data);
    b.put32(MovedWords[1], b.imageBase + Attach);
    b.put32(MovedWords[2], b.imageBase + 0x22F0);
    b.put32(MovedWords[3], b.imageBase + Text);
    b.put32(OtherTypeWord, b.imageBase + 0x1234);

    addressTables = writeImports(
        b, Data,
        {{"KERNEL32.dll", {std::string("Sleep"), std::uint16_t(7), std::string("GetTickCount")}},
         {"USER32.dll", {std::string("MessageBeep")}, false}});
    writeExports(b, Data + 0x200,
                 {"SkinH_EL.dll",
                  ExportBase,
                  {Attach, Detach, Unnamed},
                  {{"SkinH_AttachResEx", 0}, {"SkinH_Detach", 1}}});
    // HIGHLOW (3) entries, a DIR64 (10) entry and an ABSOLUTE (0) padding entry.
    writeRelocations(b, Relocations,
                     {{Text, {0x3040, 0x3044, 0xA048, 0x33FC, 0x0000}}, {Data, {0x32F0}}});
}
