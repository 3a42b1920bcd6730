#include "fuzzsupport.h"

#include "editors/batteryrules.h"
#include "editors/loadrules.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/parameterfile.h"
#include "programmer/registermap.h"

// Any bytes as a parameter file: parsed, applied as an import applies it, then checked by the
// rules the forms and an update apply. A file that is taken only ever puts a slot's own register
// and a decimal value into it, writes back to a file that reads the same, and a refused file
// changes nothing.

namespace {

bool IsDecimalText(const QString &text)
{
    QStringView digits(text);
    if (digits.startsWith(u'+') || digits.startsWith(u'-'))
        digits = digits.mid(1);
    if (digits.isEmpty())
        return text.isEmpty();
    for (QChar c : digits) {
        if (!c.isDigit() || c.unicode() > 0x7F)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ParameterFileProblem problem;
    const std::optional<ParameterFileContent> content = ParseParameterFile(bytes, &problem);
    if (!content) {
        FUZZ_CHECK(problem.line == 0 || problem.line >= 2);
        return 0;
    }

    const ParameterSet fresh;
    const QList<int> walk = fresh.GroupWalk(content->selection);
    FUZZ_CHECK(walk.size() == content->addresses.size() && walk.size() == content->values.size());

    ParameterSet parameters;
    SelectionModel selection;
    ApplyParameterFile(*content, parameters, selection);
    FUZZ_CHECK(selection.CurrentGroupSelection() == content->selection ||
               content->selection == GroupSelection::Battery);
    FUZZ_CHECK(parameters.addresses == fresh.addresses);
    for (int slot = 0; slot < ParameterSet::kSlotCount; ++slot)
        FUZZ_CHECK(IsDecimalText(parameters.values[slot]));

    // Saved again, it reads back the same.
    const QByteArray saved =
        FormatParameterFile(parameters, selection.productName(), content->selection);
    const std::optional<ParameterFileContent> back = ParseParameterFile(saved);
    FUZZ_CHECK(back && back->selection == content->selection);
    FUZZ_CHECK(back->addresses == content->addresses && back->values == content->values);

    // What the forms and an update would say of it; they must not trip over any value.
    FirstFailedBatteryRule(parameters.values);
    Load::CheckRanges(parameters.values);
    const auto block = EncodeBlock(selection.productName(), parameters, content->selection);
    if (const auto *encoded = std::get_if<EncodedBlock>(&block))
        FUZZ_CHECK(encoded->values.size() == walk.size());
    return 0;
}
