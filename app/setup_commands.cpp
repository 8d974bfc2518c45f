#include "app/setup_commands.h"

#include "app/options_page.h"
#include "app/window_pages.h"
#include "channels/channel_names.h"
#include "channels/form_color_group.h"
#include "programming/fader_page.h"
#include "shell/dialogs.h"
#include "shell/shell.h"
#include "storage/channel_tables.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMainWindow>
#include <QUrl>

#include <functional>

namespace velantra {

void SetupCommands::connect(QMainWindow& window, Shell& shell, ChannelTables& tables, const WindowPages& pages)
{
    const auto fill = [](auto& table, int value) { table.fill(static_cast<std::uint8_t>(value)); };
    struct Command {
        const char* item;
        QString question;
        std::function<void()> clear;
    };
    const Command commands[] = {
        {"ClearNamesItem", tr("Очистить имена каналов?"), [&shell] { clearNames(shell.engine().memory); }},
        {"ClearNameColorsItem", tr("Очистить цвета имен каналов?"),
         [&tables, fill] {
             fill(tables.nameRed, 255);
             fill(tables.nameGreen, 255);
             fill(tables.nameBlue, 255);
         }},
        {"ClearGoboItem", tr("Очистить графическую подсказку каналов?"), [&tables, fill] { fill(tables.gobo, 255); }},
        {"ClearBorderColorsItem", tr("Очистить цветовые границы каналов?"),
         [&tables, &pages, fill] {
             const QColor bars = pages.optionsPage->formColor()->barsColor();
             fill(tables.borderRed, bars.red());
             fill(tables.borderGreen, bars.green());
             fill(tables.borderBlue, bars.blue());
         }},
    };
    for (const Command& command : commands) {
        const bool names = QLatin1String(command.item) == QLatin1String("ClearNamesItem");
        QObject::connect(window.findChild<QAction*>(QString::fromLatin1(command.item)), &QAction::triggered, &window,
                         [&window, &shell, &pages, command, names] {
                             const bool yes = askYesNo(&window, command.question);
                             if (yes) {
                                 command.clear();
                             }
                             // The names are shown again either way; the colours only when cleared.
                             if (names) {
                                 pages.faderPage->ReturnName();
                             } else if (yes) {
                                 shell.ReturnPageControlAll();
                             }
                         });
    }
    QObject::connect(window.findChild<QAction*>(QStringLiteral("HelpItem")), &QAction::triggered, &window,
                     [&shell] { openHelp(shell); });
}

QString SetupCommands::helpFilePath(Language language)
{
    // The manual of the running language: English in help/en/.
    const QString folder = language == Language::English ? QStringLiteral("en/") : QString();
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/velantra/help/") + folder +
           QStringLiteral("index.html");
}

void SetupCommands::openHelp(Shell& shell)
{
    const QFileInfo help(helpFilePath(currentLanguage()));
    if (!help.exists()) {
        shell.OutStatus(tr("Файл справки не найден "));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help.absoluteFilePath()));
}

}  // namespace velantra
