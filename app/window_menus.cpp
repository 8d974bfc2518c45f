#include "app/window_menus.h"

#include "shell/icons.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>

namespace velantra {

QAction* WindowMenus::action(QObject* parent, const char* name, const QString& text, const QKeySequence& shortcut)
{
    auto* a = new QAction(text, parent);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
    }
    return a;
}

void WindowMenus::build(QMainWindow& window)
{
    const auto action = [&window](const char* name, const QString& text, const QKeySequence& shortcut = {}) {
        return WindowMenus::action(&window, name, text, shortcut);
    };
    QMenuBar* menus = window.menuBar();
    QMenu* show = menus->addMenu(tr("Шоу"));
    show->setObjectName(QStringLiteral("ShowItem"));
    QAction* newItem = action("NewItem", tr("Создать новое Шоу"), QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* openItem = action("OpenItem", tr("Открыть Шоу"), QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* saveAsItem = action("SaveAsItem", tr("Сохранить Шоу как ..."), QKeySequence(Qt::CTRL | Qt::Key_W));
    QAction* saveItem = action("SaveItem", tr("Сохранить Шоу"), QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction* exitItem = action("ExitItem", tr("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    show->addActions({newItem, openItem, saveAsItem, saveItem});
    show->addSeparator();
    show->addAction(action("RecoverShowItem", tr("Восстановить шоу ...")));
    show->addSeparator();
    show->addAction(exitItem);

    QMenu* scenes = menus->addMenu(tr("Сцены"));
    scenes->setObjectName(QStringLiteral("EditItem"));
    scenes->addAction(action("CopyPredScena", tr("Копировать предыдущую сцену"), QKeySequence(Qt::CTRL | Qt::Key_P)));
    scenes->addAction(action("CopyToBufferItem", tr("Копировать сцену в буфер"), QKeySequence(Qt::CTRL | Qt::Key_C)));
    QAction* newPaste =
        action("NewPasteItem", tr("Создать новую и заменить сценой из буфера"), QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* pasteFromBuffer = action("PasteFromBufferItem", tr("Заменить сценой  из буфера"));
    newPaste->setEnabled(false);
    pasteFromBuffer->setEnabled(false);
    scenes->addActions({newPaste, pasteFromBuffer});
    scenes->addAction(action("ClearScenaItem", tr("Очистить Сцену"), QKeySequence(Qt::CTRL | Qt::Key_E)));
    scenes->addAction(action("DeleteScenaItem", tr("Удалить Сцену из Шоу "), QKeySequence(Qt::CTRL | Qt::Key_Delete)));
    scenes->addAction(action("InsertScenaItem", tr("Создать новую Сцену"), QKeySequence(Qt::CTRL | Qt::Key_Insert)));

    QMenu* setup = menus->addMenu(tr("Установки"));
    setup->setObjectName(QStringLiteral("SetupItem"));
    setup->addAction(action("ClearNamesItem", tr("Очистить имена каналов"), QKeySequence(Qt::CTRL | Qt::Key_I)));
    setup->addAction(action("ClearNameColorsItem", tr("Очистить цвета имен каналов")));
    setup->addAction(action("ClearGoboItem", tr("Очистить графическую подсказку каналов")));
    setup->addAction(action("ClearBorderColorsItem", tr("Очистить цвет условного разделения каналов")));

    QMenu* options = menus->addMenu(tr("Опции"));
    options->setObjectName(QStringLiteral("OptionsItem"));
    options->addAction(
        action("HandScanItem", tr("Поле для ручного управления лучем сканера"), QKeySequence(Qt::CTRL | Qt::Key_A)));
    options->addAction(action("ChaserItem", tr("Запись и редактирование Статических картинок")));
    QAction* autoAppend = action("AvtoDobScenaItem", tr("Разрешить автодобавление сцен"));
    autoAppend->setCheckable(true);
    options->addAction(autoAppend);

    QMenu* help = menus->addMenu(tr("Помощь"));
    help->setObjectName(QStringLiteral("HelpMenuItem"));
    QAction* aboutItem = action("AboutItem", tr("О программе"));
    QAction* helpItem = action("HelpItem", tr("Справка"), QKeySequence(Qt::Key_F1));
    help->addActions({aboutItem, helpItem});

    QToolBar* bar = window.addToolBar(tr("Панель"));
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(20, 20));  // the window keeps its 651 pixels of height
    struct Button {
        const char* name;
        ToolIcon icon;
        QString hint;
        const char* sameAs;  // the menu item whose action the button runs, if any
    };
    const Button buttons[] = {
        {"SpeedButtonNEW", ToolIcon::New, tr("Новое Шоу"), "NewItem"},
        {"SpeedButtonOPEN", ToolIcon::Open, tr("Открыть Шоу"), "OpenItem"},
        {"SpeedButtonSAVEAS", ToolIcon::SaveAs, tr("Записать Шоу под новым Именем "), "SaveAsItem"},
        {"SpeedButtonSAVE", ToolIcon::Save, tr("Сохранить существующее Шоу "), "SaveItem"},
        {"SpeedButtonCOPY", ToolIcon::Copy, tr("Копировать Сцену"), "CopyToBufferItem"},
        {"SpeedButtonCOPYPREDSCEN", ToolIcon::CopyPrevious, tr("Копировать предыдущую Сцену"), "CopyPredScena"},
        {"SpeedButtonCLEAR", ToolIcon::Clear, tr("Новая сцена"), "ClearScenaItem"},
        {"SpeedButtonDELSCEN", ToolIcon::Delete, tr("Удалить сцену"), "DeleteScenaItem"},
        {"SpeedButtonAREA", ToolIcon::Area, tr("Окно ручного управления сканера "), "HandScanItem"},
        {"SpeedButtonRECORD", ToolIcon::Record, tr("Запись статических картинок "), "ChaserItem"},
        {"SpeedButtonAVTOPLUS", ToolIcon::AutoPlus, tr("Автодобавление сцен "), "AvtoDobScenaItem"},
        {"SpeedButtonHELP", ToolIcon::Help, tr("Help "), "HelpItem"},
        {"SpeedButtonABOUT", ToolIcon::About, tr("О программе "), "AboutItem"},
    };
    for (const Button& b : buttons) {
        QAction* button = action(b.name, b.hint);
        button->setIcon(toolIcon(b.icon));
        button->setToolTip(b.hint);
        auto* menuItem = window.findChild<QAction*>(QString::fromLatin1(b.sameAs));
        QObject::connect(button, &QAction::triggered, menuItem, &QAction::trigger);
        bar->addAction(button);
        bar->widgetForAction(button)->setObjectName(QString::fromLatin1(b.name));
        if (b.icon == ToolIcon::New || b.icon == ToolIcon::Save || b.icon == ToolIcon::Delete ||
            b.icon == ToolIcon::AutoPlus) {
            bar->addSeparator();
        }
    }
}

}  // namespace velantra
