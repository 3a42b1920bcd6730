#include "programmer/blockverify.h"

#include "link/hexframe.h"
#include "model/texts.h"
#include "model/valuetext.h"

QString blockMismatch(const EncodedBlock &written, const QString &readName,
                      const ParameterSet &readSet, GroupSelection readSelection,
                      quint16 readChecksum)
{
    // Registers, not texts: a name of odd length comes back with its padding blank.
    if (productNameRegisters(readName) != productNameRegisters(written.productName))
        return Text::verifyNameMismatch();
    if (readSelection != written.selection)
        return Text::verifyCountMismatch();
    const QList<int> walk = groupWalk(readSelection);
    for (qsizetype k = 0; k < walk.size() && k < written.values.size(); ++k) {
        if (valueWord(readSet.values.at(walk.at(k))) != written.values.at(k))
            return Text::verifyValueMismatch(int(k) + 1, hex4Text(written.addresses.at(k)));
    }
    if (readChecksum != written.checksum)
        return Text::verifyChecksumMismatch();
    return {};
}
