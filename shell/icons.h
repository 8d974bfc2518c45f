// Tool bar icons, drawn by the program itself.
#pragma once

#include <QIcon>

namespace velantra {

enum class ToolIcon { New, Open, SaveAs, Save, Copy, CopyPrevious, Clear, Delete, Area, Record, AutoPlus, Help, About };

// GUI thread.
QIcon toolIcon(ToolIcon kind);

}  // namespace velantra
