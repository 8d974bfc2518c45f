// Velantra: a DMX512 stage-lighting controller.
#include "app/base.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velantra 4.3"));
    QApplication::setApplicationDisplayName(QStringLiteral("Velantra 4.3"));
    velantra::TBaseForm form;
    form.show();
    return QApplication::exec();
}
