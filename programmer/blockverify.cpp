#include "programmer/blockverify.h"

#include "link/hexframe.h"
#include "model/texts.h"

QString BlockMismatch(const EncodedBlock &written, const QString &readName,
                      const ParameterSet &readSet, GroupSelection readSelection,
                      quint16 readChecksum)
{
    // Registers, not texts: a name of odd length comes back with its padding blank.
    if (ProductNameRegisters(readName) != ProductNameRegisters(written.productName))
        return Text::VerifyNameMismatch();
    if (readSelection != written.selection)
        return Text::VerifyCountMismatch();
    const QList<int> walk = groupWalk(readSelection);
    for (qsizetype k = 0; k < walk.size() && k < written.values.size(); ++k) {
        if (ValueWord(readSet.values.at(walk.at(k))) != written.values.at(k))
            return Text::VerifyValueMismatch(int(k) + 1, Hex4Text(written.addresses.at(k)));
    }
    if (readChecksum != written.checksum)
        return Text::VerifyChecksumMismatch();
    return {};
}
