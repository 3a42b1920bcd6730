#include "programmer/registermap.h"

#include "model/codepage.h"

#include "link/hexframe.h"
#include "model/valuetext.h"

#include <algorithm>
#include <utility>

namespace {

// Reply layout of function 0x03: slave, function, byte count, then the data.
constexpr int kReplyDataByte = 3;
constexpr int kReplyDataChar = 2 * kReplyDataByte;
constexpr int kFrameCrcBytes = 2;

bool IsAddressText(const QString &text)
{
    return Hex4ToValue(text) >= 0;
}

// N, the byte count 2N and one word per stored slot; empty for None or a slot that fails.
template <typename WordDigits>
QString TableRequest(const QString &prefix, const ParameterSet &set, GroupSelection selection,
                     WordDigits word)
{
    const QList<int> walk = set.GroupWalk(selection);
    if (walk.isEmpty())
        return {};
    QString text = prefix + StoredCount(selection) + Hex2Text(int(2 * walk.size()));
    for (int slot : walk) {
        const std::optional<QString> digits = word(slot);
        if (!digits)
            return {};
        text += *digits;
    }
    return WithCrc(text);
}

} // namespace

QString StoredCount(GroupSelection selection)
{
    const int count = SlotCount(selection);
    return count > 0 ? Hex4Text(count) : QString();
}

GroupSelection SelectionFromStoredCount(QStringView code)
{
    for (GroupSelection selection :
         {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
          GroupSelection::BatteryLoad, GroupSelection::All}) {
        if (code == StoredCount(selection))
            return selection;
    }
    return GroupSelection::None;
}

std::optional<quint16> ValueWord(const QString &valueText)
{
    const qint64 value = LenientInt64(valueText);
    if (value < 0 || value > 0xFFFF)
        return std::nullopt;
    return quint16(value);
}

std::optional<BlockProblem> CheckBlock(const ParameterSet &set, GroupSelection selection)
{
    const QList<int> walk = set.GroupWalk(selection);
    for (int slot : walk) {
        if (!IsAddressText(set.addresses.at(slot)))
            return BlockProblem{BlockProblem::Field::Address, slot};
    }
    for (int slot : walk) {
        if (!ValueWord(set.values.at(slot)))
            return BlockProblem{BlockProblem::Field::Value, slot};
    }
    return std::nullopt;
}

QByteArray ProductNameBytes(const QString &name)
{
    QStringEncoder encoder = CodePageEncoder();
    QByteArray bytes;
    qsizetype i = 0;
    while (i < name.size()) {
        // Whole characters only, so the cut never leaves half of a double-byte character.
        const qsizetype length =
            name.at(i).isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QByteArray character = encoder.encode(QStringView(name).mid(i, length));
        if (bytes.size() + character.size() > kProductNameBytes)
            break;
        bytes += character;
        i += length;
    }
    if (bytes.size() % 2 != 0)
        bytes += ' ';
    bytes.append(kProductNameBytes - bytes.size(), '\0');
    return bytes;
}

std::array<quint16, kProductNameRegisters> ProductNameRegisters(const QString &name)
{
    const QByteArray bytes = ProductNameBytes(name);
    std::array<quint16, kProductNameRegisters> registers{};
    for (int r = 0; r < kProductNameRegisters; ++r)
        registers[r] = quint16(quint8(bytes.at(2 * r)) | quint8(bytes.at(2 * r + 1)) << 8);
    return registers;
}

QString ProductNameFromWire(QByteArrayView wireBytes)
{
    QByteArray bytes =
        wireBytes.first(std::min<qsizetype>(wireBytes.size(), kProductNameBytes)).toByteArray();
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QStringDecoder decoder = CodePageDecoder();
    return decoder.decode(bytes);
}

QByteArray ChecksumImage(const QString &productName, const ParameterSet &set,
                         GroupSelection selection)
{
    if (selection == GroupSelection::None || CheckBlock(set, selection))
        return {};
    QByteArray image = ProductNameBytes(productName);
    const auto appendWord = [&image](int word) {
        image.append(char(word & 0xFF));
        image.append(char(word >> 8));
    };
    appendWord(SlotCount(selection));
    for (int slot : set.GroupWalk(selection)) {
        appendWord(Hex4ToValue(set.addresses.at(slot)));
        appendWord(*ValueWord(set.values.at(slot)));
    }
    return image;
}

std::optional<quint16> BlockChecksum(const QString &productName, const ParameterSet &set,
                                     GroupSelection selection)
{
    const QByteArray image = ChecksumImage(productName, set, selection);
    if (image.isEmpty())
        return std::nullopt;
    return Crc16Value(image);
}

QString ReadProductNameRequest()
{
    return WithCrc(QStringLiteral("01 03 92 02 00 08"));
}

QString ReadCountRequest()
{
    return WithCrc(QStringLiteral("01 03 92 00 00 01"));
}

QString ReadAddressTableRequest(QStringView storedCount)
{
    if (Hex4ToValue(storedCount) < 0)
        return {};
    return WithCrc(QStringLiteral("01 03 92 0A") + storedCount.toString());
}

QString ReadValueTableRequest(QStringView storedCount)
{
    if (Hex4ToValue(storedCount) < 0)
        return {};
    return WithCrc(QStringLiteral("01 03 93 00") + storedCount.toString());
}

QString ReadChecksumRequest()
{
    return WithCrc(QStringLiteral("01 03 92 01 00 01"));
}

QString WriteProductNameRequest(const QString &productName)
{
    // Each register goes high byte first, so every pair of name bytes is sent exchanged.
    QString text = QStringLiteral("01 10 92 02 00 08 10");
    for (quint16 word : ProductNameRegisters(productName))
        text += Hex4Text(word);
    return WithCrc(text);
}

QString WriteCountRequest(GroupSelection selection)
{
    if (selection == GroupSelection::None)
        return {};
    return WithCrc(QStringLiteral("01 10 92 00 00 01 02") + StoredCount(selection));
}

QString WriteAddressTableRequest(const ParameterSet &set, GroupSelection selection)
{
    return TableRequest(QStringLiteral("01 10 92 0A"), set, selection,
                        [&set](int slot) -> std::optional<QString> {
                            const QString &address = set.addresses.at(slot);
                            if (!IsAddressText(address))
                                return std::nullopt;
                            return address;
                        });
}

QString WriteValueTableRequest(const ParameterSet &set, GroupSelection selection)
{
    return TableRequest(QStringLiteral("01 10 93 00"), set, selection,
                        [&set](int slot) -> std::optional<QString> {
                            const std::optional<quint16> word = ValueWord(set.values.at(slot));
                            if (!word)
                                return std::nullopt;
                            return Hex4Text(*word);
                        });
}

QString WriteChecksumRequest(quint16 checksum)
{
    // High byte first: the reverse of the frame CRC.
    return WithCrc(QStringLiteral("01 10 92 01 00 01 02 ") + Hex2Text(checksum >> 8) +
                   QLatin1Char(' ') + Hex2Text(checksum & 0xFF));
}

QString ClearRequest()
{
    return WithCrc(QStringLiteral("01 10 92 00 00 01 02 5A A5"));
}

int ReplyRegister(QStringView replyText, int k)
{
    const qsizetype start = kReplyDataChar + 4 * qsizetype(k);
    if (k < 0 || start >= replyText.size())
        return -1;
    return Hex4ToValue(replyText.mid(start, 4));
}

std::optional<QList<quint16>> ReplyRegisters(QStringView replyText, int count)
{
    QList<quint16> registers;
    registers.reserve(count);
    for (int k = 0; k < count; ++k) {
        const int value = ReplyRegister(replyText, k);
        if (value < 0)
            return std::nullopt;
        registers.append(quint16(value));
    }
    return registers;
}

QString ReplyStoredCount(QStringView replyText)
{
    return replyText.mid(kReplyDataChar, 4).toString();
}

namespace {

std::optional<QStringList> ReplyTexts(QStringView replyText, int count,
                                      QString (*format)(quint16 word))
{
    const std::optional<QList<quint16>> registers = ReplyRegisters(replyText, count);
    if (!registers)
        return std::nullopt;
    QStringList texts;
    for (quint16 word : *registers)
        texts.append(format(word));
    return texts;
}

} // namespace

std::optional<QStringList> ReplyAddressTexts(QStringView replyText, int count)
{
    return ReplyTexts(replyText, count, [](quint16 word) { return Hex4Text(word); });
}

std::optional<QStringList> ReplyValueTexts(QStringView replyText, int count)
{
    // Unsigned: 0xFFFF reads back as "65535".
    return ReplyTexts(replyText, count, [](quint16 word) { return QString::number(word); });
}

QString ProductNameFromReply(QStringView replyText)
{
    const QByteArray bytes = ParseHex(replyText).bytes;
    const qsizetype dataSize = bytes.size() - kReplyDataByte - kFrameCrcBytes;
    if (dataSize <= 0)
        return {};
    return ProductNameFromWire(QByteArrayView(bytes).sliced(kReplyDataByte, dataSize));
}
