#pragma once

#include <QString>

#include <optional>

// The language of the program's texts. Chinese is the source language: its texts are in the code
// and the layouts; English comes from the translation the program carries (":/i18n/velmora_en.qm").
// Files, wire bytes and product names never depend on it.
enum class Language
{
    Chinese,
    English,
};

// "zh" or "en".
QString languageCode(Language language);
// The language a code names ("en", "zh", case-insensitive); nothing for anything else.
std::optional<Language> languageFromCode(const QString &code);

// The language to start in: VELMORA_LANG when it names one, else `saved` (the code the program's
// settings keep) when it names one, else Chinese.
Language startLanguage(const QString &saved = {});

// Makes `language` the one QCoreApplication::translate answers in, replacing the previous
// choice: the program's English texts for English; Qt's own Chinese texts (standard buttons,
// file dialogs) for Chinese. Widgets get a LanguageChange event. False when the program's English
// texts cannot be loaded (the Chinese ones stay).
bool installLanguage(Language language);
Language currentLanguage();
