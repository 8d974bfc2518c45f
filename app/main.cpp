// Velantra: a DMX512 stage-lighting controller.
#include "app/base.h"
#include "engine/version.h"
#include "i18n/language.h"
#include "player/termination_signals.h"
#include "storage/data_dir.h"
#include "storage/settings_file.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application name only: a display name would make Qt add it to every
    // caption that the window system shows.
    QApplication::setApplicationName(QStringLiteral("Velantra %1").arg(QLatin1String(velantra::ProgramVersion)));
    // The installed menu entry and icon, so the desktop shows them for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.korvex.Velantra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("velantra")));
    // The language, once, before any window: --lang, the settings file, the system.
    QString languageError;
    const velantra::Settings settings = velantra::readSettings(velantra::dataFile(QStringLiteral("Vela43.ini")));
    const velantra::Language language =
        velantra::chooseLanguage(QCoreApplication::arguments(), settings.language, QLocale::system(), &languageError);
    if (!languageError.isEmpty()) {
        qWarning("velantra: %s", qUtf8Printable(languageError));
    }
    velantra::installTranslations(app, language);
    // "velantra FILE": that show instead of the last one (a file manager's double click).
    QString showToOpen;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--lang")) {
            ++i;
        } else if (!arguments[i].startsWith(QLatin1String("--"))) {
            showToOpen = QFileInfo(arguments[i]).absoluteFilePath();
            break;
        }
    }
    velantra::TBaseForm form(nullptr, nullptr, velantra::TBaseForm::OutputClock::Thread, showToOpen);
    // A logout, a shutdown or Ctrl+C in the terminal saves what it can and ends cleanly.
    velantra::TerminationSignals ending;
    QObject::connect(&ending, &velantra::TerminationSignals::received, &form, [&form] {
        form.shutDownOnSignal();
        QApplication::exit(0);
    });
    form.show();
    return QApplication::exec();
}
