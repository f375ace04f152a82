#pragma once

class QButtonGroup;
class QLabel;
class QTabWidget;
class QWidget;

// How the keyboard reaches the controls, beyond Qt's defaults.

// The accelerators of the group's items check their item at once, before the next key is
// handled: Qt would click it a moment later, after keys typed in the same burst. The focus moves
// to the item with its frame shown, also when it had the focus already.
void ClickItemsAtOnce(QButtonGroup& group);

// The keyboard enters the group on its checked item, not on the first one.
void EnterOnCheckedItem(QButtonGroup& group);

// The label's accelerator selects the text of its line edit, also when the edit had the focus
// already, so that the digits typed next replace it.
void SelectBuddyOnAccelerator(QLabel& label);

// A click on a page tab takes the focus, so that the control left commits what was typed before
// the page changes, as leaving it by any other click would.
void FocusTabsOnClick(QTabWidget& pageControl);

// A surface that is white by design (a logo panel, an address box, the help pages): white
// backgrounds under dark text, whatever the desktop's palette.
void UseWhiteSurface(QWidget& surface);
