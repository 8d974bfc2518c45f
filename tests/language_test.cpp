// Which language the program speaks: --lang, then the settings file, then the
// system's locale (Russian for Russian, English for any other); and the
// choice kept in the settings file.
#include "i18n/language.h"
#include "storage/settings_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velantra {
namespace {

const QLocale RussianSystem(QLocale::Russian, QLocale::Russia);
const QLocale GermanSystem(QLocale::German, QLocale::Germany);

TEST(Language, TheCommandLineBeatsTheSettingsWhichBeatTheSystem)
{
    const QStringList bare{QStringLiteral("velantra")};
    EXPECT_EQ(chooseLanguage(bare, QString(), RussianSystem), Language::Russian);
    EXPECT_EQ(chooseLanguage(bare, QString(), GermanSystem), Language::English) << "no German: English, not the source";
    EXPECT_EQ(chooseLanguage(bare, QStringLiteral("ru"), GermanSystem), Language::Russian);
    EXPECT_EQ(chooseLanguage(bare, QStringLiteral(" EN "), RussianSystem), Language::English);
    const QStringList english{QStringLiteral("velantra"), QStringLiteral("--lang"), QStringLiteral("en")};
    EXPECT_EQ(chooseLanguage(english, QStringLiteral("ru"), RussianSystem), Language::English);
    const QStringList russian{QStringLiteral("velantra"), QStringLiteral("--lang=ru")};
    EXPECT_EQ(chooseLanguage(russian, QStringLiteral("en"), GermanSystem), Language::Russian);
}

TEST(Language, AnUnknownChoiceIsReportedAndTheNextOneCounts)
{
    QString error;
    const QStringList french{QStringLiteral("velantra"), QStringLiteral("--lang"), QStringLiteral("fr")};
    EXPECT_EQ(chooseLanguage(french, QStringLiteral("ru"), GermanSystem, &error), Language::Russian);
    EXPECT_EQ(error, QStringLiteral("--lang must be ru or en, not \"fr\""));
    error.clear();
    const QStringList missing{QStringLiteral("velantra"), QStringLiteral("--lang")};
    EXPECT_EQ(chooseLanguage(missing, QStringLiteral("klingon"), RussianSystem, &error), Language::Russian);
    EXPECT_FALSE(error.isEmpty());
}

// Both programs take --lang by one rule: a language without a translation
// (or none at all) is refused, never replaced by another.
TEST(Language, ALanguageWithoutATranslationIsRefusedOnTheCommandLine)
{
    const struct {
        const char* value;
        std::optional<Language> language;
    } cases[] = {
        {"ru", Language::Russian}, {" EN ", Language::English}, {"de", std::nullopt},
        {"", std::nullopt},        {"english", std::nullopt},
    };
    for (const auto& c : cases) {
        QString error;
        EXPECT_EQ(languageOption(QString::fromLatin1(c.value), &error), c.language) << c.value;
        EXPECT_EQ(error.isEmpty(), c.language.has_value()) << c.value;
    }
    QString error;
    languageOption(QStringLiteral("de"), &error);
    EXPECT_EQ(error, QStringLiteral("--lang must be ru or en, not \"de\""));
    EXPECT_EQ(CommandLineRefused, 2);
    EXPECT_EQ(chooseLanguage(Language::English, QStringLiteral("ru"), RussianSystem), Language::English);
    EXPECT_EQ(chooseLanguage(std::nullopt, QStringLiteral("ru"), GermanSystem), Language::Russian);
    EXPECT_EQ(chooseLanguage(std::nullopt, QString(), GermanSystem), Language::English);
}

TEST(Language, TheChoiceIsKeptInTheSettingsFile)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Vela43.ini"));
    Settings settings;
    settings.language = QStringLiteral("en");
    ASSERT_TRUE(writeSettings(ini, settings).ok);
    EXPECT_EQ(readSettings(ini).language, QStringLiteral("en"));
    settings.language.clear();
    ASSERT_TRUE(writeSettings(ini, settings).ok);
    EXPECT_TRUE(readSettings(ini).language.isEmpty()) << "empty: the system's language";
}

}  // namespace
}  // namespace velantra
