#include "model/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace {

struct Installed
{
    Language language = Language::Chinese;
    std::unique_ptr<QTranslator> translator;
};

Installed &installed()
{
    static Installed state;
    return state;
}

// Qt's Simplified Chinese texts: a Qt installation (Debian's too) keeps qtbase_zh_CN.qm in Qt's
// translations folder; windeployqt gathers them into translations/qt_zh_CN.qm beside the program.
bool loadQtChinese(QTranslator &translator)
{
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    return translator.load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
           translator.load(chinese, QStringLiteral("qt"), QStringLiteral("_"),
                           QCoreApplication::applicationDirPath() +
                               QStringLiteral("/translations"));
}

} // namespace

QString languageCode(Language language)
{
    return language == Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

std::optional<Language> languageFromCode(const QString &code)
{
    if (code.compare(QLatin1String("en"), Qt::CaseInsensitive) == 0)
        return Language::English;
    if (code.compare(QLatin1String("zh"), Qt::CaseInsensitive) == 0)
        return Language::Chinese;
    return std::nullopt;
}

Language startLanguage(const QString &saved)
{
    if (const auto fromEnvironment = languageFromCode(qEnvironmentVariable("VELMORA_LANG")))
        return *fromEnvironment;
    return languageFromCode(saved).value_or(Language::Chinese);
}

bool installLanguage(Language language)
{
    Installed &state = installed();
    auto translator = std::make_unique<QTranslator>();
    const bool loaded = language == Language::English
                            ? translator->load(QStringLiteral(":/i18n/velmora_en.qm"))
                            : loadQtChinese(*translator);
    if (state.translator)
        QCoreApplication::removeTranslator(state.translator.get());
    state.translator.reset();
    if (loaded) {
        QCoreApplication::installTranslator(translator.get());
        state.translator = std::move(translator);
    }
    // Without Qt's Chinese texts the program's own are still Chinese.
    const bool ok = loaded || language == Language::Chinese;
    state.language = ok ? language : Language::Chinese;
    return ok;
}

Language currentLanguage()
{
    return installed().language;
}
