#include "programmer/programmeroperations.h"

#include "link/programmerexchange.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/registermap.h"

namespace {

using Outcome = OperationResult::Outcome;

// One exchange; true only for a valid normal answer to this very request.
bool Transact(ProgrammerExchange &link, const QString &request)
{
    return link.Exchange(request).valid();
}

OperationResult Failed(Outcome outcome, const QString &message)
{
    return {outcome, message};
}

} // namespace

OperationResult ReadProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return Failed(Outcome::PortUnavailable, Text::PortUnavailable());
    }
    if (!Transact(c.link, ReadProductNameRequest())) {
        return Failed(Outcome::NoReply, Text::ReadTimeout());
    }
    c.selection.setProductName(ProductNameFromReply(c.link.reply()));

    if (!Transact(c.link, ReadCountRequest())) {
        return Failed(Outcome::NoReply, Text::ReadTimeout());
    }
    const QString count = ReplyStoredCount(c.link.reply());
    if (count == QLatin1String("0000")) {
        c.selection.ClearGroupBoxes();
        return Failed(Outcome::NoData, Text::ReadNoData());
    }
    // Checked before anything is requested with it: only the five codes name a block.
    const GroupSelection stored = SelectionFromStoredCount(count);
    if (stored == GroupSelection::None) {
        return Failed(Outcome::NotABlock, Text::BadParameterAddress());
    }
    const QList<int> walk = groupWalk(stored);
    const int n = int(walk.size());

    // Each stored slot must name its own register, as every update writes it; anything else is
    // not a block the slots can take.
    if (!Transact(c.link, ReadAddressTableRequest(stored))) {
        return Failed(Outcome::NoReply, Text::ReadTimeout());
    }
    if (!ReplyNamesRegisters(c.link.reply(), walk)) {
        return Failed(Outcome::NotABlock, Text::BadParameterAddress());
    }
    c.selection.RestoreGroupSelection(stored);

    if (!Transact(c.link, ReadValueTableRequest(stored))) {
        return Failed(Outcome::NoReply, Text::ReadTimeout());
    }
    const QStringList values = ReplyValueTexts(c.link.reply(), n).value_or(QStringList());
    for (int k = 0; k < n; ++k)
        c.parameters.values[walk.at(k)] = values.at(k);

    // The closing handshake; its content is not used.
    if (!Transact(c.link, ReadChecksumRequest())) {
        return Failed(Outcome::NoReply, Text::ReadTimeout());
    }
    // The label, not the selector, now names the product.
    c.selection.setProductType(-1);
    return {Outcome::Completed, Text::ReadComplete()};
}

OperationResult UpdateProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return Failed(Outcome::PortUnavailable, Text::PortUnavailable());
    }
    const QString name = c.selection.productName();
    if (name.isEmpty()) {
        return Failed(Outcome::NoProduct, Text::ChooseProductType());
    }
    // An import may have put anything into the slots: the whole block is encoded before the
    // first frame, so the programmer never holds half a block of cut or malformed words.
    const std::variant<EncodedBlock, BlockProblem> encoded =
        EncodeBlock(name, c.parameters, c.selection.CurrentGroupSelection());
    if (const auto *problem = std::get_if<BlockProblem>(&encoded)) {
        if (problem->field == BlockProblem::Field::Selection)
            return Failed(Outcome::NothingSelected, Text::NothingSelectedForUpdate());
        return Failed(Outcome::ValueOutOfRange, Text::ValueOutOfRange());
    }
    const EncodedBlock &block = std::get<EncodedBlock>(encoded);
    const QString requests[] = {
        WriteProductNameRequest(name),
        WriteCountRequest(block),
        WriteAddressTableRequest(block),
        WriteValueTableRequest(block),
    };
    for (const QString &request : requests) {
        if (!Transact(c.link, request)) {
            return Failed(Outcome::NoReply, Text::WriteTimeout());
        }
    }
    // The checksum goes last, so a cut-short update leaves the previous checksum in place.
    c.link.setLongWait();
    if (!Transact(c.link, WriteChecksumRequest(block))) {
        return Failed(Outcome::NoReply, Text::WriteTimeout());
    }
    return {Outcome::Completed, Text::WriteDataSucceeded()};
}

OperationResult ClearProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return Failed(Outcome::PortUnavailable, Text::PortUnavailable());
    }
    // Only a confirmed erase resets the boxes: without an answer the block may still be there.
    if (!Transact(c.link, ClearRequest())) {
        return Failed(Outcome::NoReply, Text::WriteTimeout());
    }
    c.selection.ClearGroupBoxes();
    return {Outcome::Completed, Text::ClearComplete()};
}
