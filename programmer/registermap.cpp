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
QString tableRequest(const QString &prefix, const QList<quint16> &words)
{
    QString text = prefix + hex4Text(int(words.size())) + hex2Text(int(2 * words.size()));
    for (quint16 word : words)
        text += hex4Text(word);
    return withCrc(text);
}

} // namespace

QString storedCount(GroupSelection selection)
{
    const int count = slotCount(selection);
    return count > 0 ? hex4Text(count) : QString();
}

GroupSelection selectionFromStoredCount(QStringView code)
{
    for (GroupSelection selection :
         {GroupSelection::Battery, GroupSelection::Load, GroupSelection::LoadLed,
          GroupSelection::BatteryLoad, GroupSelection::All}) {
        if (code == storedCount(selection))
            return selection;
    }
    return GroupSelection::None;
}

std::variant<EncodedBlock, BlockProblem>
encodeBlock(const QString &productName, const ParameterSet &set, GroupSelection selection)
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
        const std::optional<quint16> value = valueWord(set.values.at(slot));
        if (!value)
            return BlockProblem{BlockProblem::Field::Value, slot};
        block.values.append(*value);
    }
    block.checksum = crc16Value(checksumImage(block));
    return block;
}

QByteArray productNameBytes(const QString &name)
{
    QStringEncoder encoder = codePageEncoder();
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

std::array<quint16, kProductNameRegisters> productNameRegisters(const QString &name)
{
    const QByteArray bytes = productNameBytes(name);
    std::array<quint16, kProductNameRegisters> registers{};
    for (int r = 0; r < kProductNameRegisters; ++r)
        registers[r] = quint16(quint8(bytes.at(2 * r)) | quint8(bytes.at(2 * r + 1)) << 8);
    return registers;
}

namespace {

// The name in natural byte order, up to the first zero byte.
QString decodedName(QByteArray bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes.truncate(zero);
    QStringDecoder decoder = codePageDecoder();
    return decoder.decode(bytes);
}

} // namespace

QString productNameFromWire(QByteArrayView wireBytes)
{
    QByteArray bytes =
        wireBytes.first(std::min<qsizetype>(wireBytes.size(), kProductNameBytes)).toByteArray();
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return decodedName(bytes);
}

QString storedProductName(const QString &name)
{
    return decodedName(productNameBytes(name));
}

QByteArray checksumImage(const EncodedBlock &block)
{
    QByteArray image = productNameBytes(block.productName);
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

QString readProductNameRequest()
{
    return withCrc(QStringLiteral("01 03 92 02 00 08"));
}

QString readCountRequest()
{
    return withCrc(QStringLiteral("01 03 92 00 00 01"));
}

QString readAddressTableRequest(GroupSelection stored)
{
    return withCrc(QStringLiteral("01 03 92 0A") + storedCount(stored));
}

QString readValueTableRequest(GroupSelection stored)
{
    return withCrc(QStringLiteral("01 03 93 00") + storedCount(stored));
}

QString readChecksumRequest()
{
    return withCrc(QStringLiteral("01 03 92 01 00 01"));
}

QString writeProductNameRequest(const QString &productName)
{
    // Each register goes high byte first, so every pair of name bytes is sent exchanged.
    QString text = QStringLiteral("01 10 92 02 00 08 10");
    for (quint16 word : productNameRegisters(productName))
        text += hex4Text(word);
    return withCrc(text);
}

QString writeCountRequest(const EncodedBlock &block)
{
    return withCrc(QStringLiteral("01 10 92 00 00 01 02") + hex4Text(int(block.addresses.size())));
}

QString writeAddressTableRequest(const EncodedBlock &block)
{
    return tableRequest(QStringLiteral("01 10 92 0A"), block.addresses);
}

QString writeValueTableRequest(const EncodedBlock &block)
{
    return tableRequest(QStringLiteral("01 10 93 00"), block.values);
}

QString writeChecksumRequest(const EncodedBlock &block)
{
    // High byte first: the reverse of the frame CRC.
    return withCrc(QStringLiteral("01 10 92 01 00 01 02 ") + hex2Text(block.checksum >> 8) +
                   QLatin1Char(' ') + hex2Text(block.checksum & 0xFF));
}

QString clearRequest()
{
    return withCrc(QStringLiteral("01 10 92 00 00 01 02 5A A5"));
}

int replyRegister(QByteArrayView reply, int k)
{
    const qsizetype at = kReplyDataByte + 2 * qsizetype(k);
    if (k < 0 || at + 2 > reply.size())
        return -1;
    return quint8(reply.at(at)) << 8 | quint8(reply.at(at + 1));
}

std::optional<QList<quint16>> replyRegisters(QByteArrayView reply, int count)
{
    QList<quint16> registers;
    registers.reserve(count);
    for (int k = 0; k < count; ++k) {
        const int value = replyRegister(reply, k);
        if (value < 0)
            return std::nullopt;
        registers.append(quint16(value));
    }
    return registers;
}

QString replyStoredCount(QByteArrayView reply)
{
    const int count = replyRegister(reply, 0);
    return count < 0 ? QString() : hex4Text(count);
}

bool replyNamesRegisters(QByteArrayView reply, const QList<int> &walk)
{
    const std::optional<QList<quint16>> registers = replyRegisters(reply, int(walk.size()));
    if (!registers)
        return false;
    for (qsizetype k = 0; k < walk.size(); ++k) {
        if (registers->at(k) != kSlotTable[walk.at(k)].reg)
            return false;
    }
    return true;
}

std::optional<QStringList> replyValueTexts(QByteArrayView reply, int count)
{
    const std::optional<QList<quint16>> registers = replyRegisters(reply, count);
    if (!registers)
        return std::nullopt;
    QStringList texts;
    for (quint16 word : *registers)
        texts.append(QString::number(word)); // unsigned: 0xFFFF reads back as "65535"
    return texts;
}

QString productNameFromReply(QByteArrayView reply)
{
    const qsizetype dataSize = reply.size() - kReplyDataByte - kFrameCrcBytes;
    if (dataSize <= 0)
        return {};
    return productNameFromWire(reply.sliced(kReplyDataByte, dataSize));
}
