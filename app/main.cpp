// Velantra: a DMX512 stage-lighting controller.
#include "app/base.h"
#include "desk/termination_signals.h"
#include "engine/version.h"
#include "i18n/language.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>

#include <cstdio>
#include <optional>

namespace {

constexpr char Usage[] =
    "usage: velantra [--lang ru|en] [FILE]\n"
    "  FILE           a show (.vlt) to open instead of the last one,\n"
    "                 or an output patch (.vdx) to use instead of the remembered one\n"
    "  --lang ru|en   the language of the window (default: the settings file's, else the system's)\n"
    "  -h, --help     this text\n"
    "  -v, --version  the program's version\n"
    "Qt's own options (-platform, -style, -display, ...) are passed on to Qt.\n";

// Qt's options that QApplication takes out of the command line itself: known
// here so that they are not refused, and not shown in the help.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption QtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"display", true},
    {"geometry", true},        {"style", true},
    {"stylesheet", true},      {"session", true},
    {"reverse", false},        {"widgetcount", false},
};

// What the command line asks for. Parsed before the application object, so
// that --help, --version and a refused line need no display.
struct CommandLine {
    bool help = false;
    bool version = false;
    std::optional<velantra::Language> language;
    QString file;   // absolute; empty: none
    QString error;  // set: the line is refused
};

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("ru|en"));
    parser.addOptions({help, version, lang});
    for (const QtOption& qt : QtOptions) {
        QCommandLineOption option(QString::fromLatin1(qt.name), QString(),
                                  qt.takesValue ? QStringLiteral("value") : QString());
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    line.help = parser.isSet(help);
    line.version = parser.isSet(version);
    if (parser.isSet(lang)) {
        line.language = velantra::languageOption(parser.value(lang), &line.error);
        if (!line.language) {
            return line;
        }
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        line.error = QStringLiteral("one file at most, not %1").arg(files.size());
    } else if (!files.isEmpty()) {
        line.file = QFileInfo(files.first()).absoluteFilePath();
    }
    return line;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const CommandLine line = parseCommandLine(arguments);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "velantra: %s\n%s", qUtf8Printable(line.error), Usage);
        return velantra::CommandLineRefused;
    }
    if (line.help) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (line.version) {
        std::printf("velantra %s\n", velantra::ReleaseVersion);
        return 0;
    }

    QApplication app(argc, argv);
    // The application name only: a display name would make Qt add it to every
    // caption that the window system shows.
    QApplication::setApplicationName(QStringLiteral("Velantra %1").arg(QLatin1String(velantra::ProgramVersion)));
    // The installed menu entry and icon, so the desktop shows them for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvex.Velantra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("velantra")));
    // The language, once, before any window: --lang, the settings file, the system.
    const velantra::Settings settings = velantra::readSettings(velantra::settingsFile());
    velantra::installTranslations(app, velantra::chooseLanguage(line.language, settings.language, QLocale::system()));
    // "velantra FILE": that show instead of the last one, or that patch
    // instead of the remembered one (a file manager's double click).
    velantra::TBaseForm form(nullptr, nullptr, velantra::TBaseForm::OutputClock::Thread, line.file);
    // A logout, a shutdown or Ctrl+C in the terminal saves what it can and ends cleanly.
    velantra::TerminationSignals ending;
    QObject::connect(&ending, &velantra::TerminationSignals::received, &form, [&form] {
        form.shutDownOnSignal();
        QApplication::exit(0);
    });
    form.show();
    return QApplication::exec();
}
