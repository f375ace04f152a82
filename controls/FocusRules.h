#pragma once

#include <qnamespace.h>

// When the user has left a control, for the controls that commit what was typed on leaving (the
// spin edit, the octet edits, the number displays). Tab, Shift+Tab, a click elsewhere in the
// window, a shortcut or the program moving the focus leave it. A popup, the menu bar (Alt) or
// another window only borrow the keyboard and give the focus back to the same control, so a
// half-typed value stays as it is; the focus coming back that way is no entry either.
bool UserMovesFocus(Qt::FocusReason reason);
