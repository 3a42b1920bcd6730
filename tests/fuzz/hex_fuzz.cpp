#include "fuzzsupport.h"

#include "link/hexframe.h"

// Frame text to bytes: parseHex on any text. The bytes read back to the same text, only digits and
// blanks pass without a bad digit, and the CRC text is always four digits.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Odd sizes as Latin-1 (each byte a character), even sizes as UTF-16, to reach any QChar.
    const QString text =
        size % 2
            ? QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size))
            : QString::fromUtf16(reinterpret_cast<const char16_t *>(data), qsizetype(size / 2));

    const HexParse parsed = parseHex(text);
    FUZZ_CHECK(parsed.bytes.size() <= text.size() / 2);
    const QString hex = bytesToHexText(parsed.bytes);
    const HexParse again = parseHex(hex);
    FUZZ_CHECK(hex.size() == 2 * parsed.bytes.size() && !again.badDigit &&
               again.bytes == parsed.bytes);
    // Without a bad digit, every character is a digit or a blank, but for a lone last one,
    // which is dropped whatever it is.
    if (!parsed.badDigit) {
        for (QChar c : QStringView(text).chopped(text.isEmpty() ? 0 : 1))
            FUZZ_CHECK(hexDigitValue(c) >= 0 || c == u' ');
    }

    const QString crc = crcText(text);
    FUZZ_CHECK(crc.size() == 4 && parseHex(crc).bytes.size() == 2);
    return 0;
}
