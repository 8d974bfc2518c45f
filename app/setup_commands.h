// The commands of the menus "Установки" and "Помощь" that need no more of
// the window than its pages: clearing the channels' names, name colours,
// gobo hints and border colours (each after a question), and the help file.
#pragma once

#include "i18n/language.h"

#include <QCoreApplication>
#include <QString>

class QMainWindow;

namespace velantra {

class Shell;
struct ChannelTables;
struct WindowPages;

class SetupCommands {
    Q_DECLARE_TR_FUNCTIONS(SetupCommands)
public:
    // GUI thread. Connects the menu items ClearNamesItem, ClearNameColorsItem,
    // ClearGoboItem, ClearBorderColorsItem and HelpItem of window.
    static void connect(QMainWindow& window, Shell& shell, ChannelTables& tables, const WindowPages& pages);
    // Where the help file of language is looked for.
    static QString helpFilePath(Language language);
    // GUI thread. Opens the help file of the running language; a missing one is said in the status line.
    static void openHelp(Shell& shell);
};

}  // namespace velantra
