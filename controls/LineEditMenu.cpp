#include "LineEditMenu.h"

#include "QtAssumptions.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

// The cut and paste entries of an editable line edit's standard menu. Its actions carry neither
// names nor untranslated captions, so they are known by their places in the menu.
std::array<QAction*, 2> LineEditCutAndPasteActions(const QMenu& menu) {
    const QList<QAction*> actions = menu.actions();
    constexpr int Cut = 3;
    constexpr int Paste = 5;
    const bool asKnown = actions.size() >= 9 && actions[2]->isSeparator() &&
                         actions[7]->isSeparator() &&
                         std::none_of(actions.begin() + Cut, actions.begin() + 7,
                                      [](const QAction* action) { return action->isSeparator(); });
    CheckQtAssumption(asKnown, "an editable line edit's standard menu begins with Undo, Redo, a "
                               "separator, Cut, Copy, Paste, Delete, a separator");
    return {actions[Cut], actions[Paste]};
}
