// The pages of a tab widget made opaque, painted with the colour the style
// gives the tab widget's pane, kept right when the palette or the style
// changes. A
// label on such a page that changes its text then repaints itself and the
// page under it, not the tab widget and the group box around it (a group
// box's frame is among the dearest things a style draws).
#pragma once

class QTabWidget;

namespace velantra {

// GUI thread. Pages added later are not covered. Where the style paints no
// solid pane, the pages stay as they are.
void makePagesOpaque(QTabWidget* tabs);

}  // namespace velantra
