#include "OctetEdit.h"

#include "WindowShortcuts.h"

#include <QFocusEvent>

TOctetEdit::TOctetEdit(QWidget* parent)
    : QLineEdit(parent) {}

bool TOctetEdit::event(QEvent* event) {
    return LeaveCopyAndCutToWindow(event) || QLineEdit::event(event);
}

QString TOctetEdit::TypedText() const {
    // text() would drop the blanks between digits as well.
    QString typed = displayText();
    while (typed.endsWith(QLatin1Char(' '))) {
        typed.chop(1);
    }
    return typed;
}

void TOctetEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        selectAll();
        break;
    default:
        break;
    }
}
