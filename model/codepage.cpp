#include "model/codepage.h"

namespace {

const char *codePageName()
{
    // Latin-1 stands in should the platform lack a GBK converter.
    return QStringDecoder("GBK").isValid() ? "GBK" : "ISO-8859-1";
}

} // namespace

// Each converter is built in the caller's variable (a returned prvalue, never moved): Qt 6.4's
// ICU converters keep a pointer to the state they were made in, and a moved converter would
// count its errors in the dead original. Stateless: every call converts a whole text, so a
// character cut off at its end is an error, not something kept for a next call.

QStringEncoder codePageEncoder()
{
    return QStringEncoder(codePageName(), QStringConverter::Flag::Stateless);
}

QStringDecoder codePageDecoder()
{
    return QStringDecoder(codePageName(), QStringConverter::Flag::Stateless);
}
