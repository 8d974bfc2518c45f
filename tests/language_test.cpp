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
