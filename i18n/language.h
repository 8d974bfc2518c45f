// The language of the program's texts. The Russian texts are the source;
// English comes from the translation. Chosen once, before any window:
// "--lang ru|en" on the command line, else the settings file's choice, else
// Russian for a Russian system locale and English for any other.
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

namespace velantra {

enum class Language { Russian, English };

// Any thread. "ru" or "en" (any case, blanks around ignored); anything else: none.
std::optional<Language> languageFromName(const QString& name);
QString languageName(Language language);

// The exit status of a program whose command line is refused.
inline constexpr int CommandLineRefused = 2;

// Any thread. The value of --lang, by the one rule of every program: a
// language the program has no translation for is refused, and the program
// ends with CommandLineRefused after printing error; it never starts in
// another language than the one asked for.
std::optional<Language> languageOption(const QString& value, QString* error);

// Any thread. The language of --lang in arguments (the program's own name
// first), else of setting, else of the system locale. error: set when --lang
// has no value or an unknown one (the rest of the choice goes on; a program
// refuses such a command line before it chooses, see languageOption).
Language chooseLanguage(const QStringList& arguments, const QString& setting, const QLocale& system,
                        QString* error = nullptr);
// Any thread. The language given on the command line, else of setting, else of the system locale.
Language chooseLanguage(std::optional<Language> commandLine, const QString& setting, const QLocale& system);

// GUI thread, before any window. Installs the program's translation for
// language and Qt's own texts (buttons of message boxes, file dialogs) in it.
// Returns false when a translation that language needs was not found.
bool installTranslations(QCoreApplication& app, Language language);

// Any thread. The language installTranslations was last given (Russian before any).
Language currentLanguage();

}  // namespace velantra
