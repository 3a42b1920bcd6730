#include "fuzzsupport.h"

#include "cli/cli.h"
#include "model/parameterset.h"
#include "model/selectionmodel.h"
#include "programmer/parameterfile.h"
#include "programmer/registermap.h"
#include "rules/batteryrules.h"
#include "rules/loadrules.h"

#include <QBuffer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

// Any bytes as a parameter file: parsed, applied as an import applies it, then checked by the
// rules the forms and an update apply, and by `velmora-cli check` in process. A file that is
// taken only ever puts a decimal value into a slot, writes back to a file that reads the same,
// and a refused file changes nothing.

namespace {

// `velmora-cli check FILE` on the bytes: its exit status. The file is in memory (libFuzzer runs
// on Linux): a disk write per input would slow fuzzing tenfold.
int cliCheck(const QByteArray &bytes)
{
    static QTemporaryDir dir(QStringLiteral("/dev/shm/velmora-file-fuzz-XXXXXX"));
    QFile file(dir.filePath(QStringLiteral("input.txt")));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(bytes) == bytes.size());
    file.close();
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    const int status = runCli({QStringLiteral("check"), file.fileName()}, out, err);
    // Nothing but messages, and a message whenever it fails.
    FUZZ_CHECK(out.data().isEmpty() && (status == kCliSuccess || !err.data().isEmpty()));
    return status;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ParameterFileProblem problem;
    const std::optional<ParameterFileContent> content = parseParameterFile(bytes, &problem);
    const int status = cliCheck(bytes);
    FUZZ_CHECK(status == kCliSuccess || status == kCliFailure);
    if (!content) {
        FUZZ_CHECK(status == kCliFailure && problem.line >= 0 && !problem.text.isEmpty());
        return 0;
    }
    FUZZ_CHECK(groupWalk(content->selection).size() == content->values.size());

    ParameterSet parameters;
    SelectionModel selection;
    applyParameterFile(*content, parameters, selection);
    FUZZ_CHECK(selection.currentGroupSelection() == content->selection ||
               content->selection == GroupSelection::Battery);
    static const QRegularExpression decimal(QStringLiteral("^([+-]?[0-9]+)?$"));
    for (const QString &value : parameters.values)
        FUZZ_CHECK(decimal.match(value).hasMatch());

    // Saved again, it reads back the same.
    const QByteArray saved =
        formatParameterFile(parameters, selection.productName(), content->selection);
    const std::optional<ParameterFileContent> back = parseParameterFile(saved);
    FUZZ_CHECK(back && back->selection == content->selection && back->values == content->values);

    // What the forms and an update would say of it; they must not trip over any value. The
    // check passes exactly when the forms of the file's groups would take its values.
    const bool battery = selectionHasGroup(content->selection, SlotGroup::Battery);
    const bool load = selectionHasGroup(content->selection, SlotGroup::Load);
    const bool batteryFails = firstFailedBatteryRule(parameters.values).has_value();
    const bool loadFails = Load::checkRanges(parameters.values).has_value() ||
                           !Load::hasFormMode(parameters.values, selection.generalLoad());
    FUZZ_CHECK((status == kCliSuccess) == !((battery && batteryFails) || (load && loadFails)));
    const auto block = encodeBlock(selection.productName(), parameters, content->selection);
    if (const auto *encoded = std::get_if<EncodedBlock>(&block))
        FUZZ_CHECK(encoded->values.size() == content->values.size());
    return 0;
}
