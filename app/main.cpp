// Velantra: a DMX512 stage-lighting controller.
#include "app/base.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra 4.3"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velantra 4.3"));
    // The installed menu entry and icon, so the desktop shows them for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("velantra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("velantra")));
    velantra::TBaseForm form;
    form.show();
    return QApplication::exec();
}
