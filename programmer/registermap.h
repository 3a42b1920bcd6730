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
#include <variant>

// Holding registers of the programmer (slave 1; read with function 0x03, written with 0x10).
inline constexpr quint16 REG_COUNT = 0x9200;        // N stored parameters; 0 = no data
inline constexpr quint16 REG_CHECKSUM = 0x9201;     // CRC-16/MODBUS of checksumImage
inline constexpr quint16 REG_PRODUCT_NAME = 0x9202; // 8 registers, 16 GBK bytes
inline constexpr int kProductNameRegisters = 8;
inline constexpr int kProductNameBytes = 16;
inline constexpr quint16 REG_ADDRESS_TABLE = 0x920A; // N registers
inline constexpr quint16 REG_VALUE_TABLE = 0x9300;   // N registers
inline constexpr quint16 CLEAR_COMMAND = 0x5AA5;     // written to REG_COUNT, erases the block

// Request builders return the complete frame text, CRC text included.

// --- Stored-count codes ----------------------------------------------------------------------

// The slot count of a selection as four upper-case hex digits ("0015", "0016", "0026", "002B",
// "003B"); empty for None.
QString storedCount(GroupSelection selection);
// The selection a code names; None for any other text ("0000", lower-case digits, ...).
GroupSelection selectionFromStoredCount(QStringView code);

// --- Stored block ---------------------------------------------------------------------------

struct BlockProblem
{
    enum class Field
    {
        Selection, // the selection covers no slot
        Value,     // number outside 0..65535
    };
    Field field;
    int slot; // -1 for Selection
};

// A selection's block as the programmer stores it: each slot's register from the slot table,
// each value text parsed here, once, on its way to the wire.
struct EncodedBlock
{
    GroupSelection selection = GroupSelection::None;
    QString productName;
    QList<quint16> addresses; // one per slot of the selection's walk, in order
    QList<quint16> values;
    // CRC-16/MODBUS of checksumImage.
    quint16 checksum = 0;
};

// The block of `selection`, or its first problem.
std::variant<EncodedBlock, BlockProblem>
encodeBlock(const QString &productName, const ParameterSet &set, GroupSelection selection);

// --- Product name ----------------------------------------------------------------------------

// The name as it is stored, in natural order: GBK bytes cut at 16 between characters, an odd
// length padded with a blank, zero-filled to 16 bytes.
QByteArray productNameBytes(const QString &name);
// The name a read gives back once an update has written `name`.
QString storedProductName(const QString &name);
// The 8 register values of the name: the first byte of each pair is the low byte.
std::array<quint16, kProductNameRegisters> productNameRegisters(const QString &name);
// The name from register data as it arrives (high byte first per register): at most 16 bytes
// are taken, pairs exchanged back (a lone last byte stays), text up to the first zero byte.
QString productNameFromWire(QByteArrayView wireBytes);

// --- Checksum --------------------------------------------------------------------------------

// The byte image the stored checksum covers, 18 + 4N bytes, every word low byte first: the 8
// name registers, N, then for each stored slot its address and its value.
QByteArray checksumImage(const EncodedBlock &block);

// --- Requests --------------------------------------------------------------------------------

QString readProductNameRequest();
QString readCountRequest();
// The tables of a stored selection (not None).
QString readAddressTableRequest(GroupSelection stored);
QString readValueTableRequest(GroupSelection stored);
QString readChecksumRequest();
QString writeProductNameRequest(const QString &productName);
QString writeCountRequest(const EncodedBlock &block);
QString writeAddressTableRequest(const EncodedBlock &block);
QString writeValueTableRequest(const EncodedBlock &block);
QString writeChecksumRequest(const EncodedBlock &block);
QString clearRequest();

// --- Replies ---------------------------------------------------------------------------------
// Decoders take the bytes of a reply that the link has judged valid for its request, so the
// registers asked for are all there.

// Register k (from 0) of a 0x03 reply; -1 when missing.
int replyRegister(QByteArrayView reply, int k);
// Registers 0..count-1; empty when any is missing.
std::optional<QList<quint16>> replyRegisters(QByteArrayView reply, int count);
// The stored-count code of a count reply: register 0 as four upper-case hex digits.
QString replyStoredCount(QByteArrayView reply);
// Whether an address table reply names exactly the registers of the walk's slots, in order.
bool replyNamesRegisters(QByteArrayView reply, const QList<int> &walk);
// Value table: unsigned decimal text per register; empty when any is missing.
std::optional<QStringList> replyValueTexts(QByteArrayView reply, int count);
// The product name of a name reply: the data bytes from byte 3 up to the frame CRC.
QString productNameFromReply(QByteArrayView reply);
