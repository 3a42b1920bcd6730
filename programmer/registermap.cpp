#include "programmer/registermap.h"

#include "model/codepage.h"

#include "link/hexframe.h"
#include "model/valuetext.h"

#include <algorithm>
#include <utility>

namespace {

// Reply layout of function 0x03: slave, function, byte count, then the data.
constexpr int kReplyDataByte = 3;
constexpr int kFrameCrcBytes = 2;

// N, the byte count 2N and the words.
QString TableRequest(const QString &prefix, const QList<quint16> &words)
{
    QString text = prefix + Hex4Text(int(words.size())) + Hex2Text(int(2 * words.size()));
    for (quint16 word : words)
        text += Hex4Text(word);
    return WithCrc(text);
}

} // namespace

QString StoredCount(GroupSelection selection)
{
    const int count = slotCount(selection);
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

std::variant<EncodedBlock, BlockProblem>
EncodeBlock(const QString &productName, const ParameterSet &set, GroupSelection selection)
{
    const QList<int> walk = groupWalk(selection);
    if (walk.isEmpty())
        return BlockProblem{BlockProblem::Field::Selection, -1};
    EncodedBlock block;
    block.selection = selection;
    block.productName = productName;
    for (int slot : walk)
        block.addresses.append(kSlotTable[slot].reg);
    for (int slot : walk) {
        const std::optional<quint16> value = ValueWord(set.values.at(slot));
        if (!value)
            return BlockProblem{BlockProblem::Field::Value, slot};
        block.values.append(*value);
    }
    block.checksum = Crc16Value(ChecksumImage(block));
    return block;
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

QByteArray ChecksumImage(const EncodedBlock &block)
{
    QByteArray image = ProductNameBytes(block.productName);
    const auto appendWord = [&image](int word) {
        image.append(char(word & 0xFF));
        image.append(char(word >> 8));
    };
    appendWord(int(block.addresses.size()));
    for (qsizetype k = 0; k < block.addresses.size(); ++k) {
        appendWord(block.addresses.at(k));
        appendWord(block.values.at(k));
    }
    return image;
}

QString ReadProductNameRequest()
{
    return WithCrc(QStringLiteral("01 03 92 02 00 08"));
}

QString ReadCountRequest()
{
    return WithCrc(QStringLiteral("01 03 92 00 00 01"));
}

QString ReadAddressTableRequest(GroupSelection stored)
{
    return WithCrc(QStringLiteral("01 03 92 0A") + StoredCount(stored));
}

QString ReadValueTableRequest(GroupSelection stored)
{
    return WithCrc(QStringLiteral("01 03 93 00") + StoredCount(stored));
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

QString WriteCountRequest(const EncodedBlock &block)
{
    return WithCrc(QStringLiteral("01 10 92 00 00 01 02") + Hex4Text(int(block.addresses.size())));
}

QString WriteAddressTableRequest(const EncodedBlock &block)
{
    return TableRequest(QStringLiteral("01 10 92 0A"), block.addresses);
}

QString WriteValueTableRequest(const EncodedBlock &block)
{
    return TableRequest(QStringLiteral("01 10 93 00"), block.values);
}

QString WriteChecksumRequest(const EncodedBlock &block)
{
    // High byte first: the reverse of the frame CRC.
    return WithCrc(QStringLiteral("01 10 92 01 00 01 02 ") + Hex2Text(block.checksum >> 8) +
                   QLatin1Char(' ') + Hex2Text(block.checksum & 0xFF));
}

QString ClearRequest()
{
    return WithCrc(QStringLiteral("01 10 92 00 00 01 02 5A A5"));
}

int ReplyRegister(QByteArrayView reply, int k)
{
    const qsizetype at = kReplyDataByte + 2 * qsizetype(k);
    if (k < 0 || at + 2 > reply.size())
        return -1;
    return quint8(reply.at(at)) << 8 | quint8(reply.at(at + 1));
}

std::optional<QList<quint16>> ReplyRegisters(QByteArrayView reply, int count)
{
    QList<quint16> registers;
    registers.reserve(count);
    for (int k = 0; k < count; ++k) {
        const int value = ReplyRegister(reply, k);
        if (value < 0)
            return std::nullopt;
        registers.append(quint16(value));
    }
    return registers;
}

QString ReplyStoredCount(QByteArrayView reply)
{
    const int count = ReplyRegister(reply, 0);
    return count < 0 ? QString() : Hex4Text(count);
}

bool ReplyNamesRegisters(QByteArrayView reply, const QList<int> &walk)
{
    const std::optional<QList<quint16>> registers = ReplyRegisters(reply, int(walk.size()));
    if (!registers)
        return false;
    for (qsizetype k = 0; k < walk.size(); ++k) {
        if (registers->at(k) != kSlotTable[walk.at(k)].reg)
            return false;
    }
    return true;
}

std::optional<QStringList> ReplyValueTexts(QByteArrayView reply, int count)
{
    const std::optional<QList<quint16>> registers = ReplyRegisters(reply, count);
    if (!registers)
        return std::nullopt;
    QStringList texts;
    for (quint16 word : *registers)
        texts.append(QString::number(word)); // unsigned: 0xFFFF reads back as "65535"
    return texts;
}

QString ProductNameFromReply(QByteArrayView reply)
{
    const qsizetype dataSize = reply.size() - kReplyDataByte - kFrameCrcBytes;
    if (dataSize <= 0)
        return {};
    return ProductNameFromWire(reply.sliced(kReplyDataByte, dataSize));
}
