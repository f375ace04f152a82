#include "WindowShortcuts.h"

#include <QKeyEvent>

bool LeaveCopyAndCutToWindow(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::Copy) && !key->matches(QKeySequence::Cut)) {
        return false;
    }
    event->ignore();
    return true;
}
