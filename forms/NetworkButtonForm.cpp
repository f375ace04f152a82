#include "NetworkButtonForm.h"
#include "ui_NetworkButtonForm.h"

#include "Feedback.h"
#include "KorvexGlobal.h"
#include "NetworkButton.h"
#include "NetworkKinds.h"
#include "TextConversion.h"
#include "VarnexError.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

const QString UnknownTopology = QString::fromLatin1(UnknownTopologyName);
const QString PropertiesSuffix = QStringLiteral(" Properties");

bool LeavesControl(Qt::FocusReason reason) {
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

bool IsEnterKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// Printable characters other than digits and "." never reach the bandwidth box; control
// characters (Backspace, Delete, the clipboard shortcuts) do.
bool IsBandwidthChar(QChar c) {
    return !c.isPrint() || c == QLatin1Char('.') || IsDecimalDigit(c.toLatin1());
}

int FindItem(const QComboBox& box, const QString& text) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(box.count()));
    for (int i = 0; i < box.count(); ++i) {
        items.push_back(box.itemText(i).toStdString());
    }
    return FindIgnoringCase(items, text.toStdString());
}

// Selecting an item from code emits no `activated`, so no change handler runs.
void SelectItem(QComboBox& box, int index) {
    box.setCurrentIndex(index);
    box.setEditText(box.itemText(index));
}

void SetText(QComboBox& box, const QString& text) {
    box.setCurrentIndex(-1);
    box.setEditText(text);
}

void AppendAndSelect(QComboBox& box, const QString& text) {
    box.addItem(text);
    SelectItem(box, box.count() - 1);
}

} // namespace

TNetworkButtonForm::TNetworkButtonForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                         Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TNetworkButtonForm>()) {
    ui->setupUi(this);
    setModal(false);
    for (QComboBox* box : {ui->TopologyComboBox, ui->BandwidthComboBox}) {
        // Inline completion would turn a typed "0.5" into "0.512" and "Eth" into "Ethernet".
        box->setCompleter(nullptr);
        // Qt selects a matching item when the line edit finishes editing, also when the window
        // is merely left, and reports it as the user's pick: the exit handlers settle the text.
        disconnect(box->lineEdit(), SIGNAL(editingFinished()), box, nullptr);
        box->installEventFilter(this);
    }
    // `activated` comes from the user's picks only; typing is reported by `textEdited`.
    connect(ui->TopologyComboBox, &QComboBox::activated, this,
            Feedback::Guard([this] { TopologyComboBoxChange(); }));
    connect(ui->TopologyComboBox->lineEdit(), &QLineEdit::textEdited, this,
            Feedback::Guard([this](const QString& text) { TopologyEdited(text); }));
    for (QAbstractButton* button : {static_cast<QAbstractButton*>(ui->OKButton),
                                    static_cast<QAbstractButton*>(ui->CancelButton),
                                    static_cast<QAbstractButton*>(ui->ApplyButton)}) {
        connect(button, &QAbstractButton::clicked, this,
                Feedback::Guard([this, button] { ButtonClick(button); }));
    }
    FormCreate();
}

TNetworkButtonForm::~TNetworkButtonForm() {
    // Hidden while whole: the focus leaving the boxes must not reach a half-destroyed form.
    hide();
}

void TNetworkButtonForm::FormCreate() {
    SetWindowHeight(NetworkHeight, NetworkButtonsTop);
    ui->StationPanel->move(ui->NetworkPanel->pos());
    ui->StationPanel->hide();
    SetText(*ui->TopologyComboBox, UnknownTopology);
    SetText(*ui->BandwidthComboBox, QStringLiteral("0"));
}

void TNetworkButtonForm::ShowElement(TNetworkButton* element) {
    if (element == nullptr) {
        return;
    }
    disconnect(m_editedButtonDestroyed);
    m_editedButton = element;
    m_editedButtonDestroyed =
        connect(element, &QObject::destroyed, this, [this] { EditedButtonDestroyed(); });
    const TNetworkElement& values = element->Element();
    ConfigureForKind(values.NetworkButtonKind);

    const QString bandwidth = QString::fromStdString(GeneralFormat(values.Bandwidth));
    const int item = FindItem(*ui->BandwidthComboBox, bandwidth);
    if (item >= 0) {
        SelectItem(*ui->BandwidthComboBox, item);
    } else {
        AppendAndSelect(*ui->BandwidthComboBox, bandwidth);
    }
    setWindowTitle(element->NetworkName() + PropertiesSuffix);

    ui->PacketSizeSpinEdit->SetValue(values.PacketSize);
    ui->ProcessTimeSpinEdit->SetValue(values.ProcessTime);
    ui->PropDelaySpinEdit->SetValue(values.PropDelay);

    // An index that names no item counts as "not in the list", like -1.
    if (values.TopologyIndex >= 0 && values.TopologyIndex < ui->TopologyComboBox->count()) {
        SelectItem(*ui->TopologyComboBox, values.TopologyIndex);
    } else {
        SetText(*ui->TopologyComboBox, UnknownTopology);
    }

    if (!isVisible()) {
        if (!m_placed) {
            CentreOnScreen();
        }
        show();
        raise();
        activateWindow();
    }
}

void TNetworkButtonForm::ConfigureForKind(TNetworkButtonKind kind) {
    if (kind == m_currentKind) {
        return;
    }
    FillBandwidthList(kind);
    if (IsNode(kind)) {
        SetWindowHeight(NodeHeight, NodeButtonsTop);
        ui->PropDelaySpinEdit->SetValue(0);
        ui->StationPanel->show();
        ui->NetworkPanel->hide();
    } else {
        SetWindowHeight(NetworkHeight, NetworkButtonsTop);
        const bool delayEditable = !IsPropDelayDisabled(kind);
        ui->PropDelayLabel->setEnabled(delayEditable);
        ui->PropDelaySpinEdit->setEnabled(delayEditable);
        if (const auto delay = DefaultPropDelay(kind)) {
            ui->PropDelaySpinEdit->SetValue(*delay);
        }
        ui->StationPanel->hide();
        ui->NetworkPanel->show();
    }
    m_currentKind = kind;
}

void TNetworkButtonForm::FillBandwidthList(TNetworkButtonKind kind) {
    QComboBox& box = *ui->BandwidthComboBox;
    box.clear();
    for (const char* bandwidth : BandwidthItems(kind)) {
        box.addItem(QString::fromLatin1(bandwidth));
    }
}

void TNetworkButtonForm::TopologyEdited(const QString& text) {
    // While the user types, the box stands on no item, whatever it showed before.
    QComboBox& box = *ui->TopologyComboBox;
    if (box.currentIndex() != -1) {
        QLineEdit& edit = *box.lineEdit();
        const int cursor = edit.cursorPosition();
        box.setCurrentIndex(-1);
        edit.setText(text);
        edit.setCursorPosition(cursor);
    }
    TopologyComboBoxChange();
}

void TNetworkButtonForm::TopologyComboBoxChange() {
    const TTopologyChoice choice = TopologyChoice(ui->TopologyComboBox->currentIndex());
    ConfigureForKind(choice.Kind);
    QComboBox& bandwidthBox = *ui->BandwidthComboBox;
    if (choice.Bandwidth == nullptr) {
        SetText(bandwidthBox, QStringLiteral("0"));
    } else {
        const QString bandwidth = QString::fromLatin1(choice.Bandwidth);
        const int item = FindItem(bandwidthBox, bandwidth);
        if (item >= 0) {
            SelectItem(bandwidthBox, item);
        } else {
            SetText(bandwidthBox, bandwidth);
        }
    }
    if (!IsNode(m_currentKind)) {
        setWindowTitle(ui->TopologyComboBox->currentText() + PropertiesSuffix);
    }
}

void TNetworkButtonForm::TopologyComboBoxExit() {
    QComboBox& box = *ui->TopologyComboBox;
    const QString text = box.currentText();
    const int item = FindItem(box, text);
    if (item >= 0) {
        SelectItem(box, item);
    } else if (text.isEmpty()) {
        SetText(box, UnknownTopology);
    } else if (text != UnknownTopology) {
        AppendAndSelect(box, text);
    }
}

void TNetworkButtonForm::BandwidthComboBoxExit() {
    QComboBox& box = *ui->BandwidthComboBox;
    const QString text = box.currentText();
    if (text.isEmpty() || text == QLatin1String("0")) {
        SetText(box, QStringLiteral("0"));
    } else if (FindItem(box, text) < 0) {
        box.addItem(text);
    }
}

bool TNetworkButtonForm::BandwidthComboBoxKeyPress(QComboBox& box, const QKeyEvent& event) {
    // With Ctrl, Alt or Meta held a key is a command (Ctrl+V pastes), never typed text.
    const bool typesText =
        (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    const QString text = event.text();
    if (typesText && !std::all_of(text.begin(), text.end(), IsBandwidthChar)) {
        return true;
    }
    return ComboBoxKeyPress(box, event);
}

bool TNetworkButtonForm::ComboBoxKeyPress(QComboBox& box, const QKeyEvent& event) {
    if (!IsEnterKey(event)) {
        return false;
    }
    if (&box == ui->TopologyComboBox) {
        TopologyComboBoxExit();
    } else {
        BandwidthComboBoxExit();
    }
    return true;
}

void TNetworkButtonForm::ButtonClick(QAbstractButton* sender) {
    // An accelerator clicks without moving the focus: leave the focused control as a click
    // would, so that what was typed into it counts.
    sender->setFocus(Qt::OtherFocusReason);
    if (sender == ui->OKButton || sender == ui->ApplyButton) {
        StoreIntoEditedButton();
    }
    if (sender == ui->OKButton || sender == ui->CancelButton) {
        hide();
    }
}

void TNetworkButtonForm::StoreIntoEditedButton() {
    TNetworkButton* element = m_editedButton;
    if (element == nullptr) {
        return;
    }
    TNetworkElement& values = element->Element();
    if (IsNode(values.NetworkButtonKind)) {
        values.PacketSize = ui->PacketSizeSpinEdit->Value();
        element->SetLabel(QString::fromStdString(NodeLabel(values.NetworkName, values.PacketSize)));
        values.ProcessTime = ui->ProcessTimeSpinEdit->Value();
    } else {
        // Everything that can fail comes first, so that a failure leaves the element unchanged.
        const double bandwidth = StrToFloat(ui->BandwidthComboBox->currentText().toStdString());
        const auto topologyIndex = RangeChecked<std::int16_t>(ui->TopologyComboBox->currentIndex());
        values.Bandwidth = bandwidth;
        element->SetNetworkButtonKind(m_currentKind);
        element->SetNetworkName(ui->TopologyComboBox->currentText());
        values.TopologyIndex = topologyIndex;
        element->SetLabel(QString::fromStdString(NetworkLabel(values.NetworkName, bandwidth)));
        values.PropDelay = ui->PropDelaySpinEdit->Value();
    }
    DoApply();
}

void TNetworkButtonForm::DoApply() {
    if (m_onApply) {
        m_onApply(*this);
    }
}

void TNetworkButtonForm::reject() {
    ui->CancelButton->click();
}

bool TNetworkButtonForm::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QComboBox*>(watched);
    if (box != ui->TopologyComboBox && box != ui->BandwidthComboBox) {
        return QDialog::eventFilter(watched, event);
    }
    const bool bandwidthBox = box == ui->BandwidthComboBox;
    if (event->type() == QEvent::FocusOut &&
        LeavesControl(static_cast<QFocusEvent*>(event)->reason())) {
        Feedback::RunGuarded(
            [&] { bandwidthBox ? BandwidthComboBoxExit() : TopologyComboBoxExit(); });
    } else if (event->type() == QEvent::KeyPress) {
        const auto& key = *static_cast<QKeyEvent*>(event);
        bool swallowed = false;
        Feedback::RunGuarded([&] {
            swallowed =
                bandwidthBox ? BandwidthComboBoxKeyPress(*box, key) : ComboBoxKeyPress(*box, key);
        });
        return swallowed;
    }
    return QDialog::eventFilter(watched, event);
}

void TNetworkButtonForm::EditedButtonDestroyed() {
    // The element is gone: nothing is left to show or to store into.
    hide();
}

void TNetworkButtonForm::SetWindowHeight(int height, int buttonsTop) {
    setFixedSize(ClientWidth, height);
    for (QWidget* button : {ui->OKButton, ui->CancelButton, ui->ApplyButton}) {
        button->move(button->x(), buttonsTop);
    }
}

void TNetworkButtonForm::CentreOnScreen() {
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
    m_placed = true;
}
