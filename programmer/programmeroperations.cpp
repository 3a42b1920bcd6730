#include "programmer/programmeroperations.h"

#include "link/programmerexchange.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/registermap.h"

namespace {

// One exchange; true only for a valid normal answer to this very request.
bool Transact(ProgrammerExchange &link, const QString &request)
{
    return link.Exchange(request).valid();
}

} // namespace

bool ReadProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return false;
    }
    if (!Transact(c.link, ReadProductNameRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return false;
    }
    c.selection.setProductName(ProductNameFromReply(c.link.reply()));

    if (!Transact(c.link, ReadCountRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return false;
    }
    const QString count = ReplyStoredCount(c.link.reply());
    if (count == QLatin1String("0000")) {
        c.selection.ClearGroupBoxes();
        c.messages.warning(Text::ReadNoData());
        return false;
    }
    // Checked before anything is requested with it: only the five codes name a block.
    const GroupSelection stored = SelectionFromStoredCount(count);
    if (stored == GroupSelection::None) {
        c.messages.warning(Text::BadParameterAddress());
        return false;
    }
    const QList<int> walk = groupWalk(stored);
    const int n = int(walk.size());

    // Each stored slot must name its own register, as every update writes it; anything else is
    // not a block the slots can take.
    if (!Transact(c.link, ReadAddressTableRequest(stored))) {
        c.messages.warning(Text::ReadTimeout());
        return false;
    }
    if (!ReplyNamesRegisters(c.link.reply(), walk)) {
        c.messages.warning(Text::BadParameterAddress());
        return false;
    }
    c.selection.RestoreGroupSelection(stored);

    if (!Transact(c.link, ReadValueTableRequest(stored))) {
        c.messages.warning(Text::ReadTimeout());
        return false;
    }
    const QStringList values = ReplyValueTexts(c.link.reply(), n).value_or(QStringList());
    for (int k = 0; k < n; ++k)
        c.parameters.values[walk.at(k)] = values.at(k);

    // The closing handshake; its content is not used.
    if (!Transact(c.link, ReadChecksumRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return false;
    }
    // The label, not the selector, now names the product.
    c.selection.setProductType(-1);
    c.messages.info(c.owner, Text::ReadComplete());
    return true;
}

bool UpdateProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return false;
    }
    const QString name = c.selection.productName();
    if (name.isEmpty()) {
        c.messages.warning(Text::ChooseProductType());
        return false;
    }
    // An import may have put anything into the slots: the whole block is encoded before the
    // first frame, so the programmer never holds half a block of cut or malformed words.
    const std::variant<EncodedBlock, BlockProblem> encoded =
        EncodeBlock(name, c.parameters, c.selection.CurrentGroupSelection());
    if (const auto *problem = std::get_if<BlockProblem>(&encoded)) {
        switch (problem->field) {
        case BlockProblem::Field::Selection:
            c.messages.warning(Text::NothingSelectedForUpdate());
            break;
        case BlockProblem::Field::Value:
            c.messages.warning(Text::ValueOutOfRange());
            break;
        }
        return false;
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
            c.messages.warning(Text::WriteTimeout());
            return false;
        }
    }
    // The checksum goes last, so a cut-short update leaves the previous checksum in place.
    c.link.setLongWait();
    if (!Transact(c.link, WriteChecksumRequest(block))) {
        c.messages.warning(Text::WriteTimeout());
        return false;
    }
    c.messages.info(c.owner, Text::WriteDataSucceeded());
    return true;
}

bool ClearProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return false;
    }
    // Only a confirmed erase resets the boxes: without an answer the block may still be there.
    if (!Transact(c.link, ClearRequest())) {
        c.messages.warning(Text::WriteTimeout());
        return false;
    }
    c.selection.ClearGroupBoxes();
    c.messages.info(c.owner, Text::ClearComplete());
    return true;
}
