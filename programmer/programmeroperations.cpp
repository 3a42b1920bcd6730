#include "programmer/programmeroperations.h"

#include "link/programmerexchange.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/registermap.h"

namespace {

using Outcome = OperationResult::Outcome;

// One exchange; true only for a valid normal answer to this very request.
bool transact(ProgrammerExchange &link, const QString &request)
{
    return link.exchange(request).valid();
}

OperationResult failed(Outcome outcome, const QString &message)
{
    return {outcome, message};
}

} // namespace

OperationResult readProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return failed(Outcome::PortUnavailable, Text::portUnavailable());
    }
    if (!transact(c.link, readProductNameRequest())) {
        return failed(Outcome::NoReply, Text::readTimeout());
    }
    c.selection.setProductName(productNameFromReply(c.link.reply()));

    if (!transact(c.link, readCountRequest())) {
        return failed(Outcome::NoReply, Text::readTimeout());
    }
    const QString count = replyStoredCount(c.link.reply());
    if (count == QLatin1String("0000")) {
        c.selection.clearGroupBoxes();
        return failed(Outcome::NoData, Text::readNoData());
    }
    // Checked before anything is requested with it: only the five codes name a block.
    const GroupSelection stored = selectionFromStoredCount(count);
    if (stored == GroupSelection::None) {
        return failed(Outcome::NotABlock, Text::badParameterAddress());
    }
    const QList<int> walk = groupWalk(stored);
    const int n = int(walk.size());

    // Each stored slot must name its own register, as every update writes it; anything else is
    // not a block the slots can take.
    if (!transact(c.link, readAddressTableRequest(stored))) {
        return failed(Outcome::NoReply, Text::readTimeout());
    }
    if (!replyNamesRegisters(c.link.reply(), walk)) {
        return failed(Outcome::NotABlock, Text::badParameterAddress());
    }
    c.selection.restoreGroupSelection(stored);

    if (!transact(c.link, readValueTableRequest(stored))) {
        return failed(Outcome::NoReply, Text::readTimeout());
    }
    const QStringList values = replyValueTexts(c.link.reply(), n).value_or(QStringList());
    for (int k = 0; k < n; ++k)
        c.parameters.values[walk.at(k)] = values.at(k);

    // The closing handshake; its content is not used.
    if (!transact(c.link, readChecksumRequest())) {
        return failed(Outcome::NoReply, Text::readTimeout());
    }
    // The label, not the selector, now names the product.
    c.selection.setProductType(-1);
    return {Outcome::Completed, Text::readComplete()};
}

OperationResult updateProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return failed(Outcome::PortUnavailable, Text::portUnavailable());
    }
    const QString name = c.selection.productName();
    if (name.isEmpty()) {
        return failed(Outcome::NoProduct, Text::chooseProductType());
    }
    // An import may have put anything into the slots: the whole block is encoded before the
    // first frame, so the programmer never holds half a block of cut or malformed words.
    const std::variant<EncodedBlock, BlockProblem> encoded =
        encodeBlock(name, c.parameters, c.selection.currentGroupSelection());
    if (const auto *problem = std::get_if<BlockProblem>(&encoded)) {
        if (problem->field == BlockProblem::Field::Selection)
            return failed(Outcome::NothingSelected, Text::nothingSelectedForUpdate());
        return failed(Outcome::ValueOutOfRange, Text::valueOutOfRange());
    }
    const EncodedBlock &block = std::get<EncodedBlock>(encoded);
    const QString requests[] = {
        writeProductNameRequest(name),
        writeCountRequest(block),
        writeAddressTableRequest(block),
        writeValueTableRequest(block),
    };
    for (const QString &request : requests) {
        if (!transact(c.link, request)) {
            return failed(Outcome::NoReply, Text::writeTimeout());
        }
    }
    // The checksum goes last, so a cut-short update leaves the previous checksum in place.
    c.link.setLongWait();
    if (!transact(c.link, writeChecksumRequest(block))) {
        return failed(Outcome::NoReply, Text::writeTimeout());
    }
    return {Outcome::Completed, Text::writeDataSucceeded()};
}

OperationResult clearProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        return failed(Outcome::PortUnavailable, Text::portUnavailable());
    }
    // Only a confirmed erase resets the boxes: without an answer the block may still be there.
    if (!transact(c.link, clearRequest())) {
        return failed(Outcome::NoReply, Text::writeTimeout());
    }
    c.selection.clearGroupBoxes();
    return {Outcome::Completed, Text::clearComplete()};
}

BlockReading readProgrammerBlock(ProgrammerExchange &link)
{
    BlockReading reading;
    SelectionModel selection;
    reading.result = readProgrammer({reading.parameters, selection, link});
    reading.productName = selection.productName();
    reading.groups = selection.currentGroupSelection();
    return reading;
}
