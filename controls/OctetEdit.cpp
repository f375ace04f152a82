#include "OctetEdit.h"

#include "Feedback.h"
#include "LineEditMenu.h"
#include "WindowShortcuts.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

bool TypesCharacter(const QKeyEvent& event) {
    return !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
           !event.text().isEmpty() && event.text().front().isPrint();
}

} // namespace

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

void TOctetEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) &&
        Paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard))) {
        event->accept();
        return;
    }
    const QString before = displayText();
    QLineEdit::keyPressEvent(event);
    if (displayText() != before) {
        emit TextTyped();
    } else if (TypesCharacter(*event)) {
        Feedback::Beep();
    }
}

void TOctetEdit::mouseReleaseEvent(QMouseEvent* event) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (event->button() == Qt::MiddleButton && clipboard->supportsSelection() &&
        Paste(clipboard->text(QClipboard::Selection))) {
        event->accept();
        return;
    }
    ReportTyping([&] { QLineEdit::mouseReleaseEvent(event); });
}

template <typename Edit> void TOctetEdit::ReportTyping(Edit edit) {
    const QString before = displayText();
    edit();
    if (displayText() != before) {
        emit TextTyped();
    }
}

void TOctetEdit::inputMethodEvent(QInputMethodEvent* event) {
    ReportTyping([&] { QLineEdit::inputMethodEvent(event); });
}

void TOctetEdit::dropEvent(QDropEvent* event) {
    ReportTyping([&] { QLineEdit::dropEvent(event); });
}

void TOctetEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* paste = LineEditCutAndPasteActions(*menu)[1];
    disconnect(paste, &QAction::triggered, this, nullptr);
    connect(paste, &QAction::triggered, this, [this] {
        if (!Paste(QGuiApplication::clipboard()->text())) {
            ReportTyping([this] { QLineEdit::paste(); });
        }
    });
    menu->popup(event->globalPos());
}

bool TOctetEdit::Paste(const QString& text) {
    if (!m_onPaste) {
        return false;
    }
    // A handler that fails has taken the text: what it reports is the answer to the paste.
    bool taken = true;
    Feedback::RunGuarded([&] { taken = m_onPaste(*this, text); });
    return taken;
}
