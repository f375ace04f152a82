#include "FocusRules.h"

bool UserMovesFocus(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
    case Qt::ActiveWindowFocusReason:
        return false;
    default:
        return true;
    }
}
