#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QTabWidget;
class QWidget;

// Names for screen readers of controls that Qt cannot name by itself: displays whose caption is a
// label beside them, pictures and picture buttons, edits that share one caption, tables that fill
// a page. Edits and spin edits named by their label's buddy need nothing from here.
namespace AccessibleNames {

// A caption's text as it is read: without its accelerator ampersand and surrounding blanks.
QString CaptionText(const QString& caption);

// The display is announced as "caption: value", both read when asked for, so that a caption the
// program rewrites (a class mask's) and the value shown stay current.
void NameDisplay(QLabel* display, const QLabel* caption);

// The control is announced by the caption of that label, as it reads now.
void NameAfterCaption(QWidget* control, const QLabel* caption);

// A control without a caption of its own is announced by its hint.
void NameFromHint(QWidget* control);

// A table filling a page is announced by the page's tab caption.
void NameAfterPage(QWidget* control, const QTabWidget* pageControl, const QWidget* page);

// One octet of a dotted address: "IP address, octet 1" to "IP address, octet 4".
void NameOctet(QWidget* edit, int octet);

} // namespace AccessibleNames
