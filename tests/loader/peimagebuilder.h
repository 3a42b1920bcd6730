#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// Writes `value` little-endian into `size` bytes at `at`.
void put(std::vector<std::uint8_t> &bytes, std::size_t at, std::uint64_t value, int size = 4);

// A small PE32 library like the one the program carries, for the loader's tests: code with
// absolute addresses, imports from KERNEL32.dll (by name and by ordinal) and USER32.dll (without
// lookup table), exports from ordinal 5, relocations, an entry point, and a last section of bytes
// that are not NUL, where a name never ends. `image` is the content as mapped; build() writes the
// headers and stores each section's first rawSize bytes in the file. A test changes the content
// or the public fields before it builds.
struct SampleImage
{
    static constexpr std::uint32_t ImageBase = 0x10000000;
    static constexpr std::uint32_t SizeOfImage = 0x4000;
    static constexpr std::uint32_t SizeOfHeaders = 0x200;
    static constexpr std::uint32_t PeOffset = 0x40;
    static constexpr std::uint32_t FileHeader = PeOffset + 4;
    static constexpr std::uint32_t OptionalHeader = FileHeader + 20;

    static constexpr std::uint32_t Text = 0x1000;
    static constexpr std::uint32_t Data = 0x2000;
    static constexpr std::uint32_t Relocations = 0x3000;
    // Import descriptors (KERNEL32.dll, USER32.dll, an empty one), then KERNEL32.dll's lookup
    // table and the two address tables.
    static constexpr std::uint32_t Imports = Data;
    static constexpr std::uint32_t Kernel32Lookup = Data + 0x40;
    static constexpr std::uint32_t Kernel32Slots = Data + 0x50;
    static constexpr std::uint32_t User32Slots = Data + 0x60;
    static constexpr std::uint32_t Exports = Data + 0x100;
    // Exported from ordinal 5 on as "SkinH_AttachResEx", "SkinH_Detach" and "Skin[1]"; then an
    // unused slot, a forwarder and an address outside the image, named after what they are.
    static constexpr std::uint32_t Attach = 0x1100;
    static constexpr std::uint32_t Detach = 0x1200;
    static constexpr std::uint32_t Bracketed = Data + 0x280; // past the export directory
    static constexpr std::uint32_t ExportBase = 5;
    static constexpr std::uint32_t Tail = 0x3F00;
    // HIGHLOW targets: words that hold absolute addresses into the image, and where they point.
    static constexpr std::uint32_t MovedWords[] = {0x1040, 0x1044, 0x13FC, 0x22F0};
    static constexpr std::uint32_t MovedWordTargets[] = {Data, Attach, 0x22F0, Text};
    // A word behind an entry of another type, which stays as it is.
    static constexpr std::uint32_t OtherTypeWord = 0x1048;

    struct Section
    {
        std::uint32_t virtualAddress, virtualSize, rawSize;
    };

    SampleImage();
    // The file image. Raw data follows the headers in section table order, or in reverse order
    // with `reverseFileOrder`.
    std::vector<std::uint8_t> build() const;

    std::uint16_t optionalHeaderSize = 224;
    std::uint32_t numberOfRvaAndSizes = 16;
    std::uint32_t entryPoint = Text;
    bool reverseFileOrder = false;
    std::array<std::pair<std::uint32_t, std::uint32_t>, 16> directories{}; // RVA, size
    std::vector<Section> sections{{Text, 0x1000, 0x400},
                                  {Data, 0x1000, 0x300},
                                  {Relocations, 0x100, 0x40},
                                  {Tail, 0x100, 0x100}};
    std::vector<std::uint8_t> image = std::vector<std::uint8_t>(SizeOfImage);
};
