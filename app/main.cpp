// Velantra: a DMX512 stage-lighting controller.
#include "app/base.h"
#include "engine/version.h"
#include "player/termination_signals.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application name only: a display name would make Qt add it to every
    // caption that the window system shows.
    QApplication::setApplicationName(QStringLiteral("Velantra %1").arg(QLatin1String(velantra::ProgramVersion)));
    // The installed menu entry and icon, so the desktop shows them for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("velantra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("velantra")));
    velantra::TBaseForm form;
    // A logout, a shutdown or Ctrl+C in the terminal saves what it can and ends cleanly.
    velantra::TerminationSignals ending;
    QObject::connect(&ending, &velantra::TerminationSignals::received, &form, [&form] {
        form.shutDownOnSignal();
        QApplication::exit(0);
    });
    form.show();
    return QApplication::exec();
}
