#pragma once

#include "model/parameterset.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// Holding registers of the programmer (slave 1; read with function 0x03, written with 0x10).
inline constexpr quint16 REG_COUNT = 0x9200;        // N stored parameters; 0 = no data
inline constexpr quint16 REG_CHECKSUM = 0x9201;     // CRC-16/MODBUS of ChecksumImage
inline constexpr quint16 REG_PRODUCT_NAME = 0x9202; // 8 registers, 16 GBK bytes
inline constexpr int kProductNameRegisters = 8;
inline constexpr int kProductNameBytes = 16;
inline constexpr quint16 REG_ADDRESS_TABLE = 0x920A; // N registers
inline constexpr quint16 REG_VALUE_TABLE = 0x9300;   // N registers
inline constexpr quint16 CLEAR_COMMAND = 0x5AA5;     // written to REG_COUNT, erases the block

// Request builders return the complete frame text, CRC text included. A builder that cannot
// encode its input returns an empty text rather than a wrong frame.

// --- Stored-count codes ----------------------------------------------------------------------

// The slot count of a selection as four upper-case hex digits ("0015", "0016", "0026", "002B",
// "003B"); empty for None.
QString StoredCount(GroupSelection selection);
// The selection a code names; None for any other text ("0000", lower-case digits, ...).
GroupSelection SelectionFromStoredCount(QStringView code);

// --- Stored block ----------------------------------------------------------------------------

// The register word of a value text: its number as LenientInt64 reads it, if within 0..65535.
std::optional<quint16> ValueWord(const QString &valueText);

struct BlockProblem
{
    enum class Field
    {
        Address, // not exactly four hex digits
        Value,   // number outside 0..65535
    };
    Field field;
    int slot;
};
// The first slot of the selection whose address cannot be sent, else the first whose value
// cannot; empty when the whole block can be written. Addresses are checked first, as they are
// sent first.
std::optional<BlockProblem> CheckBlock(const ParameterSet &set, GroupSelection selection);

// --- Product name ----------------------------------------------------------------------------

// The name as it is stored, in natural order: GBK bytes cut at 16 between characters, an odd
// length padded with a blank, zero-filled to 16 bytes.
QByteArray ProductNameBytes(const QString &name);
// The 8 register values of the name: the first byte of each pair is the low byte.
std::array<quint16, kProductNameRegisters> ProductNameRegisters(const QString &name);
// The name from register data as it arrives (high byte first per register): at most 16 bytes
// are taken, pairs exchanged back (a lone last byte stays), text up to the first zero byte.
QString ProductNameFromWire(QByteArrayView wireBytes);

// --- Checksum --------------------------------------------------------------------------------

// The byte image the stored checksum covers, 18 + 4N bytes, every word low byte first: the 8
// name registers, N, then for each stored slot its address and its value. Empty when the
// selection is None or CheckBlock reports a problem.
QByteArray ChecksumImage(const QString &productName, const ParameterSet &set,
                         GroupSelection selection);
// CRC-16/MODBUS of ChecksumImage; empty when the image is.
std::optional<quint16> BlockChecksum(const QString &productName, const ParameterSet &set,
                                     GroupSelection selection);

// --- Requests --------------------------------------------------------------------------------

QString ReadProductNameRequest();
QString ReadCountRequest();
// `storedCount` is sent as given; empty when it is not four hex digits.
QString ReadAddressTableRequest(QStringView storedCount);
QString ReadValueTableRequest(QStringView storedCount);
QString ReadChecksumRequest();
QString WriteProductNameRequest(const QString &productName);
// Empty for None.
QString WriteCountRequest(GroupSelection selection);
// Addresses as they stand in `set.addresses`; empty for None or a bad address.
QString WriteAddressTableRequest(const ParameterSet &set, GroupSelection selection);
// Empty for None or a value outside 0..65535.
QString WriteValueTableRequest(const ParameterSet &set, GroupSelection selection);
QString WriteChecksumRequest(quint16 checksum);
QString ClearRequest();

// --- Replies ---------------------------------------------------------------------------------

// Register k (from 0) of a 0x03 reply text: characters 6+4k..9+4k; -1 when missing.
int ReplyRegister(QStringView replyText, int k);
// Registers 0..count-1; empty when any is missing.
std::optional<QList<quint16>> ReplyRegisters(QStringView replyText, int count);
// The stored-count code of a count reply as it stands (characters 6..9, shorter when the
// reply is).
QString ReplyStoredCount(QStringView replyText);
// Address table: four upper-case hex digits per register; empty when any is missing.
std::optional<QStringList> ReplyAddressTexts(QStringView replyText, int count);
// Value table: unsigned decimal text per register; empty when any is missing.
std::optional<QStringList> ReplyValueTexts(QStringView replyText, int count);
// The product name of a name reply: the data bytes from byte 3 up to the frame CRC.
QString ProductNameFromReply(QStringView replyText);
