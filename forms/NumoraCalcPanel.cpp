#include "NumoraCalcPanel.h"

#include "Accelerators.h"
#include "AccessibleNames.h"
#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "DisplayTyping.h"
#include "Feedback.h"
#include "FocusRules.h"
#include "KorvexGlobal.h"
#include "SuperStringGrid.h"
#include "ui_NumoraCalcPanel.h"

#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <optional>

namespace {

constexpr int LookupValueCount = 256;

bool IsDecimalKey(char key) {
    return IsDecimalDigit(key) || key == '+' || key == '-';
}

// A family list rather than a look-up: asking the font database scans every font at start-up.
QFont LookupCellFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("monospace")});
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(13);
    return font;
}

} // namespace

TNumoraCalcPanel::TNumoraCalcPanel(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TNumoraCalcPanel>()) {
    ui->setupUi(this);
    for (QToolButton* button : {ui->CopyLookupTableButton, ui->DecClipboardButton,
                                ui->HexClipboardButton, ui->BinClipboardButton}) {
        UseCopyGlyph(button);
    }
    UseCompactTabs(ui->NumoraCalcPageControl);
    // The number displays are named by their labels, the copy buttons by their hints.
    AccessibleNames::NameAfterPage(ui->LookupStringGrid, ui->NumoraCalcPageControl,
                                   ui->LookupTableTabSheet);
    // The page tabs come after the controls above them and before the pages' controls: placed
    // from the layout file, the page control would go after the last of its pages' controls.
    QWidget::setTabOrder(ui->CopyLookupTableButton, ui->NumoraCalcPageControl);
    m_displays = {{
        {.memo = ui->DecMemo,
         .base = TDisplayBase::Decimal,
         .copyButton = ui->DecClipboardButton,
         .parse = &TBinDecHexNumber::SetDecimalText,
         .textForm = &TBinDecHexNumber::DecimalText,
         .accepts = &IsDecimalKey,
         .upperCase = false,
         .maxLengths = {3, 6, 13}},
        {.memo = ui->HexMemo,
         .base = TDisplayBase::Hexadecimal,
         .copyButton = ui->HexClipboardButton,
         .parse = &TBinDecHexNumber::SetHexText,
         .textForm = &TBinDecHexNumber::HexText,
         .accepts = &IsHexDigit,
         .upperCase = true,
         .maxLengths = {2, 5, 11}},
        {.memo = ui->BinMemo,
         .base = TDisplayBase::Binary,
         .copyButton = ui->BinClipboardButton,
         .parse = &TBinDecHexNumber::SetBinaryText,
         .textForm = &TBinDecHexNumber::BinaryText,
         .accepts = &IsBinaryDigit,
         .upperCase = false,
         .maxLengths = {8, 17, 35}},
    }};
    ui->NumberWidthButtonGroup->setId(ui->NumberWidth8BitsButton, 0);
    ui->NumberWidthButtonGroup->setId(ui->NumberWidth16BitsButton, 1);
    ui->NumberWidthButtonGroup->setId(ui->NumberWidth32BitsButton, 2);
    ClickItemsAtOnce(*ui->NumberWidthButtonGroup);
    EnterOnCheckedItem(*ui->NumberWidthButtonGroup);
    FocusTabsOnClick(*ui->NumoraCalcPageControl);

    TSuperStringGrid* grid = ui->LookupStringGrid;
    grid->setFont(LookupCellFont());
    grid->SetFixedFont(QApplication::font());
    grid->SetOptions(TSuperStringGrid::TGridOptions(TSuperStringGrid::goFixedVertLine) |
                     TSuperStringGrid::goFixedHorzLine | TSuperStringGrid::goVertLine |
                     TSuperStringGrid::goHorzLine | TSuperStringGrid::goRangeSelect |
                     TSuperStringGrid::goDrawFocusSelected | TSuperStringGrid::goColSizing |
                     TSuperStringGrid::goThumbTracking);

    ConnectControls();
}

TNumoraCalcPanel::~TNumoraCalcPanel() {
    // The displays outlive this object's own part; their last focus events must not reach it.
    disconnect(m_changeConnection);
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    for (const TNumDisplay& display : m_displays) {
        display.memo->removeEventFilter(this);
    }
}

void TNumoraCalcPanel::ConnectControls() {
    for (const TNumDisplay& display : m_displays) {
        display.memo->installEventFilter(this);
        QAbstractButton* button = display.copyButton;
        connect(button, &QAbstractButton::clicked, this,
                Feedback::Guard([this, button] { NumClipboardButtonClick(button); }));
    }
    // The entered display may lose the focus without an exit: a click into a window not yet
    // active moves it without focus events, and the menu bar that borrowed it may hand it on.
    // Once another control of this window has it, the display has been left.
    connect(qApp, &QApplication::focusChanged, this,
            Feedback::Guard([this](QWidget* old, QWidget* now) {
                if (m_enteredMemo != nullptr && old != m_enteredMemo && now != nullptr &&
                    now != m_enteredMemo && now->window() == window() &&
                    qobject_cast<QMenuBar*>(now) == nullptr) {
                    NumMemoExit(m_enteredMemo);
                }
            }));
    connect(ui->NumberWidthButtonGroup, &QButtonGroup::idToggled, this,
            Feedback::Guard([this](int, bool checked) {
                if (checked) {
                    NumberWidthGroupClick();
                }
            }));
    connect(ui->ClearButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { ClearButtonClick(); }));
    connect(ui->InvertButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { InvertButtonClick(); }));
    connect(ui->CopyLookupTableButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { CopyLookupTableButtonClick(); }));
}

QTabWidget* TNumoraCalcPanel::PageControl() {
    return ui->NumoraCalcPageControl;
}

QWidget* TNumoraCalcPanel::FirstInput() {
    if (ui->NumoraCalcPageControl->currentWidget() == ui->ConversionTabSheet) {
        return ui->DecMemo;
    }
    return ui->NumberWidthButtonGroup->checkedButton();
}

void TNumoraCalcPanel::InitNumoraCalculator() {
    ui->DecMemo->setText(QStringLiteral("0"));
    m_activeNumMemo = ui->DecMemo;
    m_numoraNumber.SetGrouped(true);
    m_numoraNumber.SetNumberWidth(1);
    m_numoraNumber.SetOnError([this](TBinDecHexNumber& sender) { NumberError(sender); });
    m_numoraNumber.SetOnChange([this](TBinDecHexNumber& sender) { NumberChanged(sender); });
    NumberChanged(m_numoraNumber);
    NumberWidthGroupClick();
    ui->NumoraCalcPageControl->setCurrentWidget(ui->ConversionTabSheet);
    FillLookupTable();
}

void TNumoraCalcPanel::FillLookupTable() {
    TSuperStringGrid* grid = ui->LookupStringGrid;
    for (int col = 0; col < 3; ++col) {
        grid->SetColAlignment(col, TSuperStringGrid::taRightJustify);
    }
    grid->BeginUpdate();
    grid->SetCells(0, 0, QStringLiteral("Decimal"));
    grid->SetCells(1, 0, QStringLiteral("Hexadecimal"));
    grid->SetCells(2, 0, QStringLiteral("Binary"));
    for (int n = 0; n < LookupValueCount; ++n) {
        // One nibble or two: the table shows the digits a value needs, not the width's.
        const bool oneNibble = n < 16;
        std::string binary = IntToBinary(n, oneNibble ? 4 : 8);
        if (!oneNibble) {
            InsertSpaceSeparators(binary, 4);
        }
        grid->SetCells(0, n + 1, QString::number(n));
        grid->SetCells(1, n + 1, QString::number(n, 16).toUpper());
        grid->SetCells(2, n + 1, QString::fromStdString(binary));
    }
    grid->EndUpdate();
}

TNumoraCalcPanel::TNumDisplay* TNumoraCalcPanel::DisplayOf(const QObject* object) {
    for (TNumDisplay& display : m_displays) {
        if (display.memo == object || display.copyButton == object) {
            return &display;
        }
    }
    return nullptr;
}

QString TNumoraCalcPanel::TextForm(const TNumDisplay& display) const {
    return QString::fromStdString((m_numoraNumber.*display.textForm)());
}

void TNumoraCalcPanel::PutCaretAtEnd(QLineEdit* memo) {
    if (memo != nullptr) {
        memo->setCursorPosition(memo->text().size());
    }
}

void TNumoraCalcPanel::PageChanging(QWidget* page) {
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(false);
        WithdrawCopy(m_shell);
    }
}

void TNumoraCalcPanel::PageChange(QWidget* page) {
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(true);
        RouteCopyTo(m_shell, ui->CopyLookupTableButton);
    } else if (page == ui->ConversionTabSheet && m_enteredMemo != nullptr) {
        // A display may have taken the focus before the page change was reported, or the
        // calculator was chosen again: the display keeps its copy target.
        RouteCopyTo(m_shell, DisplayOf(m_enteredMemo)->copyButton);
    }
}

void TNumoraCalcPanel::NumberChanged(TBinDecHexNumber&) {
    // Canonical texts read back as the value they came from: the displays need no parsing.
    const QScopedValueRollback refreshing(m_refreshing, true);
    for (const TNumDisplay& display : m_displays) {
        display.memo->setText(TextForm(display));
    }
    PutCaretAtEnd(m_activeNumMemo);
}

void TNumoraCalcPanel::NumberError(TBinDecHexNumber& sender) {
    Feedback::Beep();
    NumberChanged(sender);
}

void TNumoraCalcPanel::NumMemoEnter(QLineEdit* sender) {
    TNumDisplay* display = DisplayOf(sender);
    if (display == nullptr) {
        return;
    }
    m_activeNumMemo = sender;
    PutCaretAtEnd(sender);
    disconnect(m_changeConnection);
    m_changeConnection = connect(sender, &QLineEdit::textChanged, this,
                                 Feedback::Guard([this, sender] { NumMemoChange(sender); }));
    m_enteredMemo = sender;
    RouteCopyTo(m_shell, display->copyButton);
}

void TNumoraCalcPanel::NumMemoExit(QLineEdit* sender) {
    disconnect(m_changeConnection);
    m_enteredMemo = nullptr;
    // A page entered before the exit arrived (the focus moved in a window not yet active) keeps
    // its copy target.
    const TNumDisplay* left = DisplayOf(sender);
    if (m_shell != nullptr && left != nullptr && m_shell->ActiveCopyButton() == left->copyButton) {
        RouteCopyTo(m_shell, nullptr);
    }
    // A display left half-typed ("-") shows the number again.
    if (const TNumDisplay* display = DisplayOf(m_activeNumMemo)) {
        m_activeNumMemo->setText(TextForm(*display));
    }
}

void TNumoraCalcPanel::NumMemoChange(QLineEdit* sender) {
    const TNumDisplay* display = DisplayOf(sender);
    if (display == nullptr || m_refreshing) {
        return;
    }
    const QString text = sender->text();
    if (text.isEmpty()) {
        sender->setText(QStringLiteral("0"));
        return;
    }
    // A lone minus sign waits for its digits; the number keeps its value meanwhile.
    if (text == QLatin1String("-")) {
        return;
    }
    (m_numoraNumber.*display->parse)(text.toStdString());
}

bool TNumoraCalcPanel::NumMemoKeyDown(QLineEdit*, const QKeyEvent& key) {
    switch (key.key()) {
    case Qt::Key_Tab:
        // Ctrl+Tab would switch the page.
        return (key.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    case Qt::Key_Delete:
        m_numoraNumber.SetValue(0);
        return true;
    default:
        return false;
    }
}

void TNumoraCalcPanel::NumMemoKeyPress(QLineEdit* sender, QChar key) {
    const TNumDisplay* display = DisplayOf(sender);
    if (display == nullptr) {
        return;
    }
    // Of the control characters only Backspace edits; the others (Enter, Escape, line feed...)
    // are refused rather than typed as digits.
    const char16_t code = key.unicode();
    const bool accepted =
        code == DisplayBackspace || (code < 0x80 && !IsControlChar(static_cast<char>(code)) &&
                                     display->accepts(static_cast<char>(code)));
    if (!accepted) {
        Feedback::Beep();
        return;
    }
    const char typed =
        static_cast<char>(display->upperCase ? QChar::toUpper(code) : static_cast<char32_t>(code));
    const std::optional<std::string> text =
        TypedDisplayText(sender->text().toStdString(), typed,
                         static_cast<std::size_t>(display->maxLength), m_numoraNumber.Value() == 0);
    if (!text) {
        Feedback::Beep();
        return;
    }
    sender->setText(QString::fromStdString(*text));
}

void TNumoraCalcPanel::NumMemoPaste(QLineEdit* sender, const QString& text) {
    const TNumDisplay* display = DisplayOf(sender);
    if (display == nullptr) {
        return;
    }
    const std::optional<std::string> digits = PastedDisplayText(text.toStdString(), display->base);
    if (!digits) {
        Feedback::Beep();
        return;
    }
    // A value beyond the width beeps through NumberError and keeps the number.
    (m_numoraNumber.*display->parse)(*digits);
}

void TNumoraCalcPanel::NumMemoMouseDown(QLineEdit* sender) {
    PutCaretAtEnd(sender);
}

void TNumoraCalcPanel::NumMemoMouseMove(QLineEdit* sender) {
    PutCaretAtEnd(sender);
}

void TNumoraCalcPanel::NumberWidthGroupClick() {
    const int itemIndex = ui->NumberWidthButtonGroup->checkedId();
    if (itemIndex < 0) {
        return;
    }
    // The limits bind typing only: the number's own texts may be longer (a negative value always
    // shows eight hexadecimal digits), so they are not the line edits' maximum lengths.
    for (TNumDisplay& display : m_displays) {
        display.maxLength = display.maxLengths.at(static_cast<std::size_t>(itemIndex));
    }
    m_numoraNumber.SetNumberWidth(static_cast<std::uint8_t>(itemIndex));
}

void TNumoraCalcPanel::ClearButtonClick() {
    m_numoraNumber.SetValue(0);
}

void TNumoraCalcPanel::InvertButtonClick() {
    m_numoraNumber.SetValue(~m_numoraNumber.Value());
}

void TNumoraCalcPanel::NumClipboardButtonClick(QAbstractButton* sender) {
    const TNumDisplay* display = DisplayOf(sender);
    if (display != nullptr && display->copyButton == sender) {
        QGuiApplication::clipboard()->setText(display->memo->text());
    }
}

void TNumoraCalcPanel::CopyLookupTableButtonClick() {
    ui->LookupStringGrid->CopyToClipboard();
}

bool TNumoraCalcPanel::eventFilter(QObject* watched, QEvent* event) {
    auto* memo = qobject_cast<QLineEdit*>(watched);
    if (memo == nullptr || m_forwardingFocus || DisplayOf(memo) == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    bool consumed = false;
    Feedback::RunGuarded([&] { consumed = NumMemoEvent(*memo, *event); });
    return consumed;
}

bool TNumoraCalcPanel::NumMemoEvent(QLineEdit& memo, QEvent& event) {
    switch (event.type()) {
    case QEvent::ShortcutOverride:
        // The display is no editor: the window's shortcuts win over the line edit's own, so
        // Edit > Copy copies the whole display and Ctrl+X still exits.
        event.ignore();
        return true;
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    case QEvent::KeyPress:
        return NumMemoKeyEvent(memo, static_cast<QKeyEvent&>(event));
    case QEvent::FocusIn:
        NumMemoFocusIn(memo, static_cast<QFocusEvent&>(event));
        return true;
    case QEvent::FocusOut:
        if (&memo == m_enteredMemo && UserMovesFocus(static_cast<QFocusEvent&>(event).reason())) {
            NumMemoExit(&memo);
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        NumMemoMouseDown(&memo);
        return true;
    case QEvent::MouseMove:
        NumMemoMouseMove(&memo);
        return true;
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection here, not by the line edit's own editing.
        if (static_cast<QMouseEvent&>(event).button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            NumMemoPaste(&memo, QGuiApplication::clipboard()->text(QClipboard::Selection));
        }
        return true;
    default:
        return false;
    }
}

void TNumoraCalcPanel::NumMemoFocusIn(QLineEdit& memo, QFocusEvent& event) {
    // The line edit takes the focus first (a Tab or an accelerator would select all its text),
    // then the display is entered and puts the caret back at the end.
    {
        const QScopedValueRollback forwarding(m_forwardingFocus, true);
        QCoreApplication::sendEvent(&memo, &event);
    }
    if (&memo == m_enteredMemo) {
        return;
    }
    // The focus moved while the window was inactive: the display left gets its exit first.
    if (m_enteredMemo != nullptr) {
        NumMemoExit(m_enteredMemo);
    }
    NumMemoEnter(&memo);
}

bool TNumoraCalcPanel::NumMemoKeyEvent(QLineEdit& memo, const QKeyEvent& event) {
    if (event.matches(QKeySequence::Paste)) {
        NumMemoPaste(&memo, QGuiApplication::clipboard()->text());
        return true;
    }
    if (NumMemoKeyDown(&memo, event)) {
        return true;
    }
    // Tab moves the focus; Home and End may move the caret, although the digits still enter at
    // the right. Every other key that types no character would edit the line (paste, cut, undo).
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Home:
    case Qt::Key_End:
        return false;
    default:
        break;
    }
    // Keys held with Ctrl, Alt or Meta are commands, not typed characters.
    const bool typesText =
        !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
        !event.text().isEmpty();
    if (!typesText) {
        return true;
    }
    for (const QChar key : event.text()) {
        NumMemoKeyPress(&memo, key);
    }
    return true;
}
