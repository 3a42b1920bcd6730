#include "peimagebuilder.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

void put(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint64_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

SampleImage::SampleImage()
{
    const auto words = [this](std::uint32_t rva, std::initializer_list<std::uint32_t> values) {
        for (std::uint32_t value : values)
            put(image, std::exchange(rva, rva + 4), value);
    };
    const auto text = [this](std::uint32_t rva, const char *text) {
        std::memcpy(image.data() + rva, text, std::strlen(text) + 1);
        return rva + static_cast<std::uint32_t>(std::strlen(text)) + 1;
    };

    // Absolute addresses into the image.
    for (int i = 0; i < 4; ++i)
        words(MovedWords[i], {ImageBase + MovedWordTargets[i]});
    words(OtherTypeWord, {ImageBase + 0x1234});

    // Imports: Sleep, ordinal 7 and GetTickCount of KERNEL32.dll; MessageBeep of USER32.dll,
    // whose address table alone names it. Names follow their 2-byte hints.
    const std::uint32_t sleep = Data + 0x80, tickCount = Data + 0x90, beep = Data + 0xA0;
    text(sleep + 2, "Sleep");
    text(tickCount + 2, "GetTickCount");
    text(beep + 2, "MessageBeep");
    text(Data + 0xC0, "KERNEL32.dll");
    text(Data + 0xD0, "USER32.dll");
    words(Imports, {Kernel32Lookup, 0, 0, Data + 0xC0, Kernel32Slots});
    words(Imports + 20, {0, 0, 0, Data + 0xD0, User32Slots});
    // The lookup table, then the address table, which starts out the same.
    words(Kernel32Lookup, {sleep, 0x80000007, tickCount, 0, sleep, 0x80000007, tickCount});
    words(User32Slots, {beep});
    directories[1] = {Imports, 60};

    // Exports: the directory, the address, name and ordinal tables, then the names.
    const std::uint32_t functions = Exports + 40, names = functions + 24, ordinals = names + 24;
    std::uint32_t next = text(ordinals + 12, "SAMPLE.dll");
    words(Exports + 12, {ordinals + 12, ExportBase, 6, 6, functions, names, ordinals});
    words(functions, {Attach, Detach, Bracketed, 0, Exports + 4, SizeOfImage + 0x1000});
    const char *exported[] = {"SkinH_AttachResEx", "SkinH_Detach", "Skin[1]", "Unused",
                              "Forwarded",         "Outside"};
    for (std::uint32_t i = 0; i < 6; ++i) {
        words(names + 4 * i, {next});
        put(image, ordinals + 2 * i, i, 2);
        next = text(next, exported[i]);
    }
    directories[0] = {Exports, next - Exports};

    // Two blocks of HIGHLOW (3) entries, a DIR64 (10) entry and ABSOLUTE (0) padding entries.
    words(Relocations, {Text, 20, 0x30443040, 0x33FCA048, 0, Data, 12, 0x32F0});
    directories[5] = {Relocations, 32};
    std::fill(image.begin() + Tail, image.end(), 'A');
}

std::vector<std::uint8_t> SampleImage::build() const
{
    std::vector<std::uint8_t> file(SizeOfHeaders);
    const std::uint32_t sectionTable = OptionalHeader + optionalHeaderSize;
    for (std::size_t n = 0; n < sections.size(); ++n) {
        const std::size_t i = reverseFileOrder ? sections.size() - 1 - n : n;
        const Section &section = sections[i];
        put(file, sectionTable + 40 * i + 8, section.virtualSize);
        put(file, sectionTable + 40 * i + 12, section.virtualAddress);
        put(file, sectionTable + 40 * i + 16, section.rawSize);
        put(file, sectionTable + 40 * i + 20, file.size());
        const auto raw = image.begin() + section.virtualAddress;
        file.insert(file.end(), raw, raw + section.rawSize);
    }
    put(file, 0, 0x5A4D, 2); // "MZ"
    put(file, 0x3C, PeOffset);
    put(file, PeOffset, 0x4550); // "PE\0\0"
    put(file, FileHeader + 2, sections.size(), 2);
    put(file, FileHeader + 16, optionalHeaderSize, 2);
    put(file, OptionalHeader, 0x10B, 2); // PE32
    put(file, OptionalHeader + 16, entryPoint);
    put(file, OptionalHeader + 28, ImageBase);
    put(file, OptionalHeader + 56, SizeOfImage);
    put(file, OptionalHeader + 60, SizeOfHeaders);
    put(file, OptionalHeader + 92, numberOfRvaAndSizes);
    for (std::size_t i = 0; i < directories.size() && 104 + 8 * i <= optionalHeaderSize; ++i) {
        put(file, OptionalHeader + 96 + 8 * i, directories[i].first);
        put(file, OptionalHeader + 100 + 8 * i, directories[i].second);
    }
    return file;
}
