// The main window's menus and tool bar: every action with its object name,
// text and shortcut; each tool bar button runs its menu item's action. The
// window connects the actions to its commands by object name.
#pragma once

#include <QCoreApplication>
#include <QKeySequence>
#include <QString>

class QAction;
class QMainWindow;
class QObject;

namespace velantra {

class WindowMenus {
    Q_DECLARE_TR_FUNCTIONS(TBaseForm)
public:
    // GUI thread. The menus "Шоу", "Сцены", "Установки", "Опции", "Помощь" and the tool bar.
    static void build(QMainWindow& window);
    // GUI thread. An action named name, owned by parent.
    static QAction* action(QObject* parent, const char* name, const QString& text, const QKeySequence& shortcut = {});
};

}  // namespace velantra
