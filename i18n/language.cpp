#include "i18n/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <atomic>

namespace velantra {

std::optional<Language> languageFromName(const QString& name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("ru")) {
        return Language::Russian;
    }
    if (n == QLatin1String("en")) {
        return Language::English;
    }
    return std::nullopt;
}

QString languageName(Language language)
{
    return language == Language::Russian ? QStringLiteral("ru") : QStringLiteral("en");
}

std::optional<Language> languageOption(const QString& value, QString* error)
{
    std::optional<Language> chosen = languageFromName(value);
    if (!chosen && error != nullptr) {
        *error = QStringLiteral("--lang must be ru or en, not \"%1\"").arg(value);
    }
    return chosen;
}

Language chooseLanguage(std::optional<Language> commandLine, const QString& setting, const QLocale& system)
{
    if (commandLine) {
        return *commandLine;
    }
    if (const std::optional<Language> chosen = languageFromName(setting)) {
        return *chosen;
    }
    return system.language() == QLocale::Russian ? Language::Russian : Language::English;
}

Language chooseLanguage(const QStringList& arguments, const QString& setting, const QLocale& system, QString* error)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString value;
        if (arguments[i] == QLatin1String("--lang")) {
            value = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
            value = arguments[i].mid(7);
        } else {
            continue;
        }
        if (const std::optional<Language> chosen = languageOption(value, error)) {
            return *chosen;
        }
        break;
    }
    return chooseLanguage(std::nullopt, setting, system);
}

namespace {
std::atomic<Language> installed{Language::Russian};
}  // namespace

Language currentLanguage()
{
    return installed.load(std::memory_order_relaxed);
}

bool installTranslations(QCoreApplication& app, Language language)
{
    installed.store(language, std::memory_order_relaxed);
    bool complete = true;
    if (language == Language::English) {
        auto* ours = new QTranslator(&app);
        complete = ours->load(QStringLiteral(":/i18n/velantra_en.qm"));
        QCoreApplication::installTranslator(ours);
    } else {
        // Plural forms and the like; the texts themselves are the source.
        auto* ours = new QTranslator(&app);
        if (ours->load(QStringLiteral(":/i18n/velantra_ru.qm"))) {
            QCoreApplication::installTranslator(ours);
        }
        auto* qt = new QTranslator(&app);
        complete = qt->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QCoreApplication::installTranslator(qt);
    }
    return complete;
}

}  // namespace velantra
