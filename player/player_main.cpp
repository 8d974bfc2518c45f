// velantra-player: plays a show without a window, for a computer with no
// screen that a service manager starts and stops.
#include "desk/player_log.h"
#include "desk/termination_signals.h"
#include "engine/version.h"
#include "i18n/language.h"
#include "player/headless.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"

#include <QCoreApplication>

#include <cstdio>
#include <optional>

namespace {

constexpr char Usage[] =
    "usage: velantra-player [--show FILE] [--queue] [--tempo N] [--chasers] [--autosave] [--lang ru|en]\n"
    "  --show FILE   the show to play (default: the last show in the settings file)\n"
    "  --queue       play the shows of the show queue, one after another (also --conveyor)\n"
    "  --tempo N     10..170: a scene every N*N ms (default: the show's own)\n"
    "  --chasers     run both chasers always (also --automats)\n"
    "  --autosave    write the autosave copy every 3 minutes and at the end\n"
    "  --lang ru|en  the language of the messages (default: the settings file's, else the system's)\n"
    "MIDI controllers work as set up on the window's MIDI page (its bindings file).\n"
    "The web remote for phones and tablets is on when the settings file's [Remote] says Enabled=1;\n"
    "its address and PIN are logged at start. OSC is on when [Osc] says Enabled=1.\n"
    "Ends cleanly on SIGTERM or SIGINT; logs to standard error.\n";

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velantra-player"));
    QCoreApplication::setApplicationVersion(QLatin1String(velantra::ReleaseVersion));
    if (qEnvironmentVariableIsEmpty("QT_MESSAGE_PATTERN")) {
        qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd hh:mm:ss.zzz} %{category} %{type}: %{message}"));
    }
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    const velantra::ParsedOptions parsed = velantra::parseHeadlessOptions(arguments);
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "velantra-player: %s\n%s", qUtf8Printable(parsed.error), Usage);
        return velantra::CommandLineRefused;
    }
    // The window's rule: a language without a translation is refused, never replaced.
    std::optional<velantra::Language> language;
    if (!parsed.options.language.isEmpty()) {
        QString error;
        language = velantra::languageOption(parsed.options.language, &error);
        if (!language) {
            std::fprintf(stderr, "velantra-player: %s\n%s", qUtf8Printable(error), Usage);
            return velantra::CommandLineRefused;
        }
    }

    const velantra::Settings settings = velantra::readSettings(velantra::settingsFile());
    velantra::installTranslations(app, velantra::chooseLanguage(language, settings.language, QLocale::system()));
    velantra::HeadlessPlayer player;
    velantra::TerminationSignals ending;
    QObject::connect(&ending, &velantra::TerminationSignals::received, &player, [&player](int signalNumber) {
        qCInfo(lcPlayer, "signal %d: ending", signalNumber);
        player.stop();
        QCoreApplication::exit(0);
    });
    if (!player.start(parsed.options)) {
        player.stop();
        return 1;
    }
    return QCoreApplication::exec();
}
