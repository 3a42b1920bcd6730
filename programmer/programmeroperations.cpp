#include "programmer/programmeroperations.h"

#include "link/programmerlink.h"
#include "model/messageservice.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "model/texts.h"
#include "programmer/registermap.h"

namespace {

// One exchange; true only for a valid normal answer to this very request.
bool Transact(ProgrammerLink &link, const QString &request)
{
    link.Exchange(request);
    return CheckReplyText(request, link.replyText()).kind == ReplyCheck::Valid;
}

} // namespace

void ReadProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return;
    }
    if (!Transact(c.link, ReadProductNameRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return;
    }
    c.selection.setProductName(ProductNameFromReply(c.link.replyText()));

    if (!Transact(c.link, ReadCountRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return;
    }
    const QString count = ReplyStoredCount(c.link.replyText());
    if (count == QLatin1String("0000")) {
        c.selection.ClearGroupBoxes();
        c.messages.warning(Text::ReadNoData());
        return;
    }
    // Checked before anything is requested with it: only the five codes name a block.
    const GroupSelection stored = SelectionFromStoredCount(count);
    if (stored == GroupSelection::None) {
        c.messages.warning(Text::BadParameterAddress());
        return;
    }
    const QList<int> walk = c.parameters.GroupWalk(stored);
    const int n = int(walk.size());

    std::optional<QStringList> addresses;
    if (!Transact(c.link, ReadAddressTableRequest(count)) ||
        !(addresses = ReplyAddressTexts(c.link.replyText(), n))) {
        c.messages.warning(Text::ReadTimeout());
        return;
    }
    c.selection.RestoreGroupSelection(stored);
    for (int k = 0; k < n; ++k)
        c.parameters.addresses[walk.at(k)] = addresses->at(k);

    std::optional<QStringList> values;
    if (!Transact(c.link, ReadValueTableRequest(count)) ||
        !(values = ReplyValueTexts(c.link.replyText(), n))) {
        c.messages.warning(Text::ReadTimeout());
        return;
    }
    for (int k = 0; k < n; ++k)
        c.parameters.values[walk.at(k)] = values->at(k);

    // The closing handshake; its content is not used.
    if (!Transact(c.link, ReadChecksumRequest())) {
        c.messages.warning(Text::ReadTimeout());
        return;
    }
    // The label, not the selector, now names the product.
    c.selection.setProductType(-1);
    c.messages.info(c.owner, Text::ReadComplete());
}

void UpdateProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return;
    }
    const QString name = c.selection.productName();
    if (name.isEmpty()) {
        c.messages.warning(Text::ChooseProductType());
        return;
    }
    const GroupSelection selection = c.selection.CurrentGroupSelection();
    if (selection == GroupSelection::None) {
        c.messages.warning(Text::NothingSelectedForUpdate());
        return;
    }
    // An import may have put anything into the slots: refuse before the first frame, so the
    // programmer never holds half a block of cut or malformed words.
    if (const std::optional<BlockProblem> problem = CheckBlock(c.parameters, selection)) {
        c.messages.warning(problem->field == BlockProblem::Field::Address
                               ? Text::BadParameterAddress()
                               : Text::ValueOutOfRange());
        return;
    }
    // A checked block always has its checksum.
    const quint16 checksum = BlockChecksum(name, c.parameters, selection).value_or(0);
    const QString requests[] = {
        WriteProductNameRequest(name),
        WriteCountRequest(selection),
        WriteAddressTableRequest(c.parameters, selection),
        WriteValueTableRequest(c.parameters, selection),
    };
    for (const QString &request : requests) {
        if (!Transact(c.link, request)) {
            c.messages.warning(Text::WriteTimeout());
            return;
        }
    }
    // The checksum goes last, so a cut-short update leaves the previous checksum in place.
    c.link.setLongWait();
    if (!Transact(c.link, WriteChecksumRequest(checksum))) {
        c.messages.warning(Text::WriteTimeout());
        return;
    }
    c.messages.info(c.owner, Text::WriteDataSucceeded());
}

void ClearProgrammer(const ProgrammerContext &c)
{
    if (!c.link.portOpen()) {
        c.messages.warning(Text::PortUnavailable());
        return;
    }
    // Only a confirmed erase resets the boxes: without an answer the block may still be there.
    if (!Transact(c.link, ClearRequest())) {
        c.messages.warning(Text::WriteTimeout());
        return;
    }
    c.selection.ClearGroupBoxes();
    c.messages.info(c.owner, Text::ClearComplete());
}
