#include "BetterSpinEdit.h"

#include "Feedback.h"
#include "FocusRules.h"
#include "KorvexGlobal.h"
#include "LineEditMenu.h"
#include "SpinEditText.h"
#include "VarnexError.h"
#include "WindowShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr char16_t InfinitySign = u'\u221E';
constexpr char16_t EnterChar = u'\r';
constexpr char16_t BackspaceChar = u'\b';
// The thin border of the window system, counted four times in the minimum height.
constexpr int BorderHeight = 1;

// The characters a key press types, as the character filter sees them. Commands (Ctrl or Meta
// chords, Delete, navigation) type nothing and go to the edit unfiltered.
QString TypedText(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QString(QChar(EnterChar));
    case Qt::Key_Backspace:
        return QString(QChar(BackspaceChar));
    case Qt::Key_Delete:
        return {};
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return {};
    }
    return event.text();
}

} // namespace

TSpinButton::TSpinButton(QWidget* focusControl)
    : QWidget(focusControl)
    , m_focusControl(focusControl)
    , m_upButton(CreateArrowButton(Qt::UpArrow, QStringLiteral("UpButton")))
    , m_downButton(CreateArrowButton(Qt::DownArrow, QStringLiteral("DownButton"))) {
    // Children inherit the cursor, and the edit's text cursor would be wrong over the arrows.
    setCursor(Qt::ArrowCursor);
}

QToolButton* TSpinButton::CreateArrowButton(Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(RepeatDelay);
    button->setAutoRepeatInterval(RepeatInterval);
    connect(button, &QAbstractButton::pressed, this, [this] {
        if (!m_focusControl->hasFocus()) {
            m_focusControl->setFocus(Qt::OtherFocusReason);
        }
    });
    return button;
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upperHeight = height() / 2;
    m_upButton->setGeometry(0, 0, width(), upperHeight);
    m_downButton->setGeometry(0, upperHeight, width(), height() - upperHeight);
}

TBetterSpinEdit::TBetterSpinEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_spinButton(new TSpinButton(this)) {
    ConnectArrow(m_spinButton->UpButton(), &TBetterSpinEdit::UpClick);
    ConnectArrow(m_spinButton->DownButton(), &TBetterSpinEdit::DownClick);
    SetEditRect();
    UpdateMinimumSize();
    resize(sizeHint());
    PlaceSpinButton();
    ShowValue();
}

void TBetterSpinEdit::ConnectArrow(QAbstractButton* arrow, void (TBetterSpinEdit::*step)()) {
    connect(arrow, &QAbstractButton::clicked, this, Feedback::Guard([this, arrow, step] {
                try {
                    (this->*step)();
                } catch (...) {
                    // Releasing the arrow ends its repetition: a failed step is not retried.
                    arrow->setDown(false);
                    throw;
                }
            }));
}

void TBetterSpinEdit::SetValue(int value) {
    if (m_infinity) {
        return;
    }
    if (m_minValue != m_maxValue) {
        if (value < m_minValue) {
            value = m_minValue;
        } else if (value > m_maxValue) {
            value = m_maxValue;
        }
    }
    if (value != m_value) {
        m_value = value;
        Notify(m_onChange);
    }
    ShowValue();
}

void TBetterSpinEdit::SetMinValue(int value) {
    m_minValue = value;
    SetValue(m_value);
}

void TBetterSpinEdit::SetMaxValue(int value) {
    m_maxValue = value;
    SetValue(m_value);
}

void TBetterSpinEdit::SetEditorEnabled(bool enabled) {
    m_editorEnabled = enabled;
    // A drop is a paste.
    setAcceptDrops(enabled);
}

void TBetterSpinEdit::SetInfinity(bool on) {
    if (on == m_infinity) {
        return;
    }
    m_infinity = on;
    ShowValue();
}

Qt::Alignment TBetterSpinEdit::Alignment() const {
    return alignment() & Qt::AlignHorizontal_Mask;
}

void TBetterSpinEdit::SetAlignment(Qt::Alignment alignment) {
    setAlignment((alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter);
}

void TBetterSpinEdit::UpClick() {
    Step(TStepDirection::Up, m_increment);
}

void TBetterSpinEdit::DownClick() {
    Step(TStepDirection::Down, m_increment);
}

void TBetterSpinEdit::FastUpClick() {
    Step(TStepDirection::Up, m_fastIncrement);
}

void TBetterSpinEdit::FastDownClick() {
    Step(TStepDirection::Down, m_fastIncrement);
}

void TBetterSpinEdit::Step(TStepDirection direction, int delta) {
    const bool upward = direction == TStepDirection::Up;
    Notify(upward ? m_onUpClicking : m_onDownClicking);
    if (isReadOnly()) {
        Feedback::Beep();
    } else {
        // The step starts from what the user sees: typed text becomes the value quietly.
        m_value = TextValue();
        SetValue(upward ? CheckedAdd(m_value, delta) : CheckedSub(m_value, delta));
    }
    Notify(upward ? m_onUpClick : m_onDownClick);
}

int TBetterSpinEdit::TextValue() const {
    return m_infinity ? m_value : SpinEditTextValue(text().toStdString(), m_value);
}

bool TBetterSpinEdit::IsValidChar(QChar c) const {
    if (c.unicode() > 0xFF) {
        return false;
    }
    const char code = static_cast<char>(c.unicode());
    const bool valid =
        IsDecimalDigit(code) || code == '-' || (IsControlChar(code) && c != EnterChar);
    if (!m_editorEnabled && (!IsControlChar(code) || c == BackspaceChar)) {
        return false;
    }
    return valid;
}

int TBetterSpinEdit::GetMinHeight() const {
    const int fontHeight = fontMetrics().height();
    const int generalFontHeight = QFontMetrics(QApplication::font()).height();
    return fontHeight + std::min(generalFontHeight, fontHeight) / 4 + 4 * BorderHeight + 1;
}

QSize TBetterSpinEdit::sizeHint() const {
    return QSize(DefaultWidth, DefaultHeight).expandedTo(minimumSize());
}

bool TBetterSpinEdit::event(QEvent* event) {
    return LeaveCopyAndCutToWindow(event) || QLineEdit::event(event);
}

void TBetterSpinEdit::keyPressEvent(QKeyEvent* event) {
    Feedback::RunGuarded([&] { HandleKeyPress(event); });
}

void TBetterSpinEdit::HandleKeyPress(QKeyEvent* event) {
    if (HandleStepKey(event->key())) {
        QLineEdit::keyPressEvent(event);
        event->accept();
        return;
    }
    if ((event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)) &&
        !CutAndPasteAllowed()) {
        event->accept();
        return;
    }
    const QString typed = TypedText(*event);
    const bool rejected =
        std::any_of(typed.cbegin(), typed.cend(), [this](QChar c) { return !IsValidChar(c); });
    if (!rejected) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (typed == QChar(EnterChar)) {
        CommitText();
    } else {
        Feedback::Beep();
    }
}

void TBetterSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method (dead keys, compose sequences) passes the same filter as
    // typed characters.
    const QString committed = event->commitString();
    if (std::any_of(committed.cbegin(), committed.cend(),
                    [this](QChar c) { return !IsValidChar(c); })) {
        event->setCommitString(QString());
        Feedback::Beep();
    }
    QLineEdit::inputMethodEvent(event);
}

bool TBetterSpinEdit::HandleStepKey(int key) {
    switch (key) {
    case Qt::Key_Up:
        UpClick();
        return true;
    case Qt::Key_Down:
        DownClick();
        return true;
    case Qt::Key_PageUp:
        FastUpClick();
        return true;
    case Qt::Key_PageDown:
        FastDownClick();
        return true;
    default:
        return false;
    }
}

void TBetterSpinEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A left click places the caret where it lands; every other entry selects the whole number.
    if (UserMovesFocus(event->reason()) && event->reason() != Qt::MouseFocusReason) {
        selectAll();
    }
}

void TBetterSpinEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (UserMovesFocus(event->reason())) {
        Feedback::RunGuarded([this] { CommitText(); });
    }
}

void TBetterSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    // The middle button pastes the selection on X11.
    if (event->button() == Qt::MiddleButton && !CutAndPasteAllowed()) {
        event->ignore();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TBetterSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // A read-only edit's menu has no cut and paste entries at all.
    if (!CutAndPasteAllowed() && !isReadOnly()) {
        for (QAction* action : LineEditCutAndPasteActions(*menu)) {
            action->setEnabled(false);
        }
    }
    menu->popup(event->globalPos());
}

void TBetterSpinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceSpinButton();
}

void TBetterSpinEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        UpdateMinimumSize();
        PlaceSpinButton();
    }
}

void TBetterSpinEdit::CommitText() {
    if (m_infinity) {
        // Nothing typed over the infinity sign can become the value, so it is not left showing.
        ShowValue();
        return;
    }
    SetValue(TextValue());
}

bool TBetterSpinEdit::CutAndPasteAllowed() const {
    return m_editorEnabled && !isReadOnly();
}

void TBetterSpinEdit::SetEditRect() {
    setTextMargins(0, 0, SpinButtonWidth + 2, 0);
}

void TBetterSpinEdit::PlaceSpinButton() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    m_spinButton->setGeometry(contents.right() + 1 - SpinButtonWidth, contents.top(),
                              SpinButtonWidth, contents.height());
}

void TBetterSpinEdit::UpdateMinimumSize() {
    setMinimumSize(MinimumWidth, GetMinHeight());
}

void TBetterSpinEdit::ShowValue() {
    setText(m_infinity ? QString(QChar(InfinitySign)) : QString::number(m_value));
}

void TBetterSpinEdit::Notify(const TNotifyEvent& event) {
    if (event) {
        // A copy, so that a handler may replace itself while it runs.
        const TNotifyEvent handler = event;
        handler(*this);
    }
}
