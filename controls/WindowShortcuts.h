#pragma once

class QEvent;

// The window's menu shortcuts win over a line edit's own copy and cut keys: Ctrl+C is Edit > Copy
// while that is enabled and Ctrl+X is File > Exit. A disabled menu item leaves the key to the
// edit. Returns true when the event was such a shortcut override and has been answered.
bool LeaveCopyAndCutToWindow(QEvent* event);
