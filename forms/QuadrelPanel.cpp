#include "QuadrelPanel.h"

#include "Accelerators.h"
#include "AccessibleNames.h"
#include "AddressText.h"
#include "CompactTabs.h"
#include "CopyGlyph.h"
#include "Feedback.h"
#include "FocusRules.h"
#include "OctetEdit.h"
#include "SubnetHostTable.h"
#include "SuperStringGrid.h"
#include "TextConversion.h"
#include "VarnexError.h"
#include "ui_QuadrelPanel.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace {

const QString AddressTypeCaption = QStringLiteral("Address Type");
const QString AddressPrefixCaption = QStringLiteral("Address Prefix");
const QString SubnetBitsCaption = QStringLiteral("&Subnet Bits");
const QString SupernetBitsCaption = QStringLiteral("&Supernet Bits");
const QString RouteMaskSeparator = QStringLiteral("  /  ");

constexpr int SubnetBitsMaximum = TIPAddSubnet::MaxSubnetBits;
constexpr int SupernetBitsMaximum = TIPAddSupernet::MaxSupernetBits;
constexpr int SubnetColumnWidth = 71;
constexpr int HostRangeColumnWidth = 176;

constexpr int MaxFirstOctet = 223;
constexpr int MaxMiddleOctet = 255;
constexpr int MinLastOctet = 1;
constexpr int MaxLastOctet = 254;
constexpr std::uint8_t LastOctet = 3;

QString DecimalText(const TIPAddress& address) {
    return QString::fromStdString(address.AsDecimalString());
}

QString HexText(const TIPAddress& address) {
    return QString::fromStdString(address.AsHexString());
}

// The busy cursor for as long as it lives.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

void ShowOctets(const std::array<TOctetEdit*, 4>& edits, const TIPAddress& address) {
    for (std::uint8_t index = 0; index < edits.size(); ++index) {
        edits[index]->setText(QString::number(address.GetByte(index)));
    }
}

// Everything the subnet table is computed from.
auto TableSource(const TIPAddSubnet& subnet) {
    return std::make_tuple(subnet.Address(), subnet.SubnetBits(), subnet.RFC1878());
}

// The displays are read with the caption above them, the octet edits by their place in the address;
// the edits with a buddy label and the copy button are named by their label and hint already.
void NameForScreenReaders(Ui::TQuadrelPanel& ui) {
    const std::pair<QLabel*, QLabel*> displays[] = {
        {ui.MaxSubnetsPanel, ui.MaxSubnetsLabel},
        {ui.MaxHostsPanel, ui.MaxHostsLabel},
        {ui.BitMapPanel, ui.BitMapLabel},
        {ui.DecClassMaskPanel, ui.DecClassMaskLabel},
        {ui.HexClassMaskPanel, ui.HexClassMaskLabel},
        {ui.DecMaskPanel, ui.DecMaskLabel},
        {ui.HexMaskPanel, ui.HexMaskLabel},
        {ui.HexAddressPanel, ui.HexAddressLabel},
        {ui.AddressRangePanel, ui.AddressRangeLabel},
        {ui.SubnetMaskPanel, ui.SubnetMaskLabel},
        {ui.SubnetIDPanel, ui.SubnetIDLabel},
        {ui.NetworkIDPanel, ui.NetworkIDLabel},
        {ui.HostIDPanel, ui.HostIDLabel},
        {ui.NumNetworksPanel, ui.NumNetworksLabel},
        {ui.AllocationPanel, ui.AllocationLabel},
        {ui.RouteMaskPanel, ui.RouteMaskLabel},
        {ui.HexRouteMaskPanel, ui.HexRouteMaskLabel},
    };
    for (const auto& [display, caption] : displays) {
        AccessibleNames::NameDisplay(display, caption);
    }
    const std::array<QWidget*, 4> subnetOctets = {ui.MaskEdit1, ui.MaskEdit2, ui.MaskEdit3,
                                                  ui.MaskEdit4};
    const std::array<QWidget*, 4> supernetOctets = {ui.MaskEdit5, ui.MaskEdit6, ui.MaskEdit7,
                                                    ui.MaskEdit8};
    for (int octet = 0; octet < 4; ++octet) {
        AccessibleNames::NameOctet(subnetOctets[octet], octet + 1);
        AccessibleNames::NameOctet(supernetOctets[octet], octet + 1);
    }
}

} // namespace

TQuadrelPanel::TQuadrelPanel(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TQuadrelPanel>()) {
    ui->setupUi(this);
    UseCopyGlyph(ui->CopySubnetHostButton);
    UseCompactTabs(ui->QuadrelPageControl);
    NameForScreenReaders(*ui);
    ui->AddressTypeButtonGroup->setId(ui->ClassARadioButton, ctClassA);
    ui->AddressTypeButtonGroup->setId(ui->ClassBRadioButton, ctClassB);
    ui->AddressTypeButtonGroup->setId(ui->ClassCRadioButton, ctClassC);
    ClickItemsAtOnce(*ui->AddressTypeButtonGroup);
    EnterOnCheckedItem(*ui->AddressTypeButtonGroup);
    FocusTabsOnClick(*ui->QuadrelPageControl);
    for (QLabel* label : findChildren<QLabel*>()) {
        if (qobject_cast<QLineEdit*>(label->buddy()) != nullptr) {
            SelectBuddyOnAccelerator(*label);
        }
    }
    UseWhiteSurface(*ui->SubnetAddressBox);
    UseWhiteSurface(*ui->SupernetAddressBox);

    m_octetEdits = {
        {ui->MaskEdit1, 0, &TQuadrelPanel::MaskEdit1Exit, &TQuadrelPanel::MaskEdit1Change},
        {ui->MaskEdit2, 1, &TQuadrelPanel::MaskEdit2Exit, &TQuadrelPanel::MaskEdit2Change},
        {ui->MaskEdit3, 2, &TQuadrelPanel::MaskEdit2Exit, &TQuadrelPanel::MaskEdit3Change},
        {ui->MaskEdit4, 3, &TQuadrelPanel::MaskEdit2Exit, &TQuadrelPanel::MaskEdit4Change},
        {ui->MaskEdit5, 0, &TQuadrelPanel::MaskEdit5Exit, &TQuadrelPanel::MaskEdit5Change},
        {ui->MaskEdit6, 1, &TQuadrelPanel::MaskEdit5Exit, &TQuadrelPanel::MaskEdit6Change},
        {ui->MaskEdit7, 2, &TQuadrelPanel::MaskEdit5Exit, &TQuadrelPanel::MaskEdit7Change},
        {ui->MaskEdit8, 3, &TQuadrelPanel::MaskEdit5Exit, &TQuadrelPanel::MaskEdit8Change},
    };
    ConnectControls();
}

TQuadrelPanel::~TQuadrelPanel() {
    // The controls outlive this object's own part while the widget is taken apart.
    for (const TOctetEditBinding& binding : m_octetEdits) {
        binding.edit->removeEventFilter(this);
    }
    ui->BitsSpinEdit->SetOnChange({});
}

void TQuadrelPanel::ConnectControls() {
    connect(ui->AddressTypeButtonGroup, &QButtonGroup::idClicked, this,
            Feedback::Guard([this] { AddressTypeRadioGroupClick(); }));
    ui->BitsSpinEdit->SetOnChange(Feedback::Guard([this] { BitsSpinEditChange(); }));
    connect(ui->RFC1878CheckBox, &QCheckBox::clicked, this,
            Feedback::Guard([this] { RFC1878CheckBoxClick(); }));
    connect(ui->CopySubnetHostButton, &QToolButton::clicked, this,
            Feedback::Guard([this] { CopySubnetHostButtonClick(); }));
    for (const TOctetEditBinding& binding : m_octetEdits) {
        binding.edit->installEventFilter(this);
        // Only the user's typing moves on to the next octet, not the display's own writes.
        connect(binding.edit, &TOctetEdit::TextTyped, this,
                Feedback::Guard([this, change = binding.change] { (this->*change)(); }));
        binding.edit->SetOnPaste(
            [this](TOctetEdit& sender, const QString& text) { return PasteAddress(sender, text); });
    }
}

QTabWidget* TQuadrelPanel::PageControl() {
    return ui->QuadrelPageControl;
}

QWidget* TQuadrelPanel::FirstInput() {
    QWidget* page = ui->QuadrelPageControl->currentWidget();
    if (page == ui->AddressInfoTab) {
        return ui->MaskEdit1;
    }
    if (page == ui->CIDRTab) {
        return ui->MaskEdit5;
    }
    return ui->AddressTypeButtonGroup->checkedButton();
}

void TQuadrelPanel::InitSubnetPanel() {
    m_subnetModel.SetRFC1878(true);
    ui->QuadrelPageControl->setCurrentWidget(ui->GeneralInfoTab);
    m_subnetTableStale = true;
    UpdateSubnetDisplay();
}

TSuperStringGrid& TQuadrelPanel::SubnetHostStringGrid() {
    if (m_subnetHostStringGrid != nullptr) {
        return *m_subnetHostStringGrid;
    }
    auto* grid = new TSuperStringGrid(ui->SubnetHostTab);
    m_subnetHostStringGrid = grid;
    grid->setObjectName(QStringLiteral("SubnetHostStringGrid"));
    grid->SetColCount(2);
    grid->SetRowCount(2);
    grid->SetFixedCols(0);
    grid->SetFixedRows(1);
    grid->SetOptions(TSuperStringGrid::TGridOptions(TSuperStringGrid::goFixedVertLine) |
                     TSuperStringGrid::goFixedHorzLine | TSuperStringGrid::goVertLine |
                     TSuperStringGrid::goHorzLine | TSuperStringGrid::goRangeSelect |
                     TSuperStringGrid::goColSizing | TSuperStringGrid::goThumbTracking |
                     TSuperStringGrid::goDrawFocusSelected);
    grid->SetColWidths(0, SubnetColumnWidth);
    grid->SetColWidths(1, HostRangeColumnWidth);
    grid->SetColAlignment(0, TSuperStringGrid::taRightJustify);
    grid->SetColAlignment(1, TSuperStringGrid::taCenter);
    grid->SetCells(0, 0, QStringLiteral("Subnet"));
    grid->SetCells(1, 0, QStringLiteral("Host Range"));
    AccessibleNames::NameAfterPage(grid, ui->QuadrelPageControl, ui->SubnetHostTab);
    ui->SubnetHostTabLayout->addWidget(grid);
    // As a control of the page: shown with it at once, not when the layout gets round to it.
    grid->show();
    // Tab reaches the table where the page lies among the others: after the address octets.
    QWidget::setTabOrder(ui->MaskEdit4, grid);
    return *grid;
}

void TQuadrelPanel::UpdateSubnetDisplay() {
    if (m_updatingSubnetDisplay) {
        return;
    }
    const QScopedValueRollback<bool> updating(m_updatingSubnetDisplay, true);
    QWidget* page = ui->QuadrelPageControl->currentWidget();
    if (page == ui->GeneralInfoTab) {
        ShowGeneralInfo();
    } else if (page == ui->AddressInfoTab) {
        ShowAddressInfo();
    } else if (page == ui->SubnetHostTab) {
        ShowSubnetHostTable();
    } else if (page == ui->CIDRTab) {
        ShowCIDR();
    }
}

void TQuadrelPanel::ShowGeneralInfo() {
    SelectAddressType(m_subnetModel.IPClass());
    ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
    ui->MaxSubnetsPanel->setText(QString::number(m_subnetModel.MaxSubnets()));
    ui->MaxHostsPanel->setText(QString::number(m_subnetModel.MaxHosts()));
    ui->BitMapPanel->setText(QString::fromStdString(m_subnetModel.BitMap()));
    const QChar classLetter = QLatin1Char(m_subnetModel.GetClassLetter());
    ui->DecClassMaskLabel->setText(QStringLiteral("Decimal Class %1 Mask").arg(classLetter));
    ui->HexClassMaskLabel->setText(QStringLiteral("Hex Class %1 Mask").arg(classLetter));
    ui->DecClassMaskPanel->setText(DecimalText(m_subnetModel.ClassMask()));
    ui->HexClassMaskPanel->setText(HexText(m_subnetModel.ClassMask()));
    ui->DecMaskPanel->setText(DecimalText(m_subnetModel.FullMask()));
    ui->HexMaskPanel->setText(HexText(m_subnetModel.FullMask()));
}

void TQuadrelPanel::ShowAddressInfo() {
    SelectAddressType(m_subnetModel.IPClass());
    ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
    ShowOctets({ui->MaskEdit1, ui->MaskEdit2, ui->MaskEdit3, ui->MaskEdit4}, m_subnetModel);
    ui->HexAddressPanel->setText(HexText(m_subnetModel));
    ui->AddressRangePanel->setText(AddressRangeText(m_subnetModel.SubnetFirstHost().Address(),
                                                    m_subnetModel.SubnetLastHost().Address()));
    ui->SubnetMaskPanel->setText(DecimalText(m_subnetModel.BitsMask()));
    ui->SubnetIDPanel->setText(DecimalText(m_subnetModel.SubnetID()));
    ui->NetworkIDPanel->setText(DecimalText(m_subnetModel.NetworkID()));
    ui->HostIDPanel->setText(DecimalText(m_subnetModel.HostID()));
}

void TQuadrelPanel::ShowSubnetHostTable() {
    ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
    SelectAddressType(m_subnetModel.IPClass());
    // Built before the page is drawn, so that the page never shows without its table.
    SubnetHostStringGrid();
    if (m_subnetTableStale) {
        // The page is drawn before the rebuild keeps the window busy.
        window()->repaint();
        RebuildSubnetTable();
    }
}

void TQuadrelPanel::RebuildSubnetTable() {
    const TBusyCursor busy;
    FillSubnetHostTable(SubnetHostStringGrid(), m_subnetModel);
    m_subnetTableStale = false;
}

void TQuadrelPanel::ShowCIDR() {
    SelectAddressType(m_supernetModel.IPClass());
    ui->BitsSpinEdit->SetValue(m_supernetModel.SupernetBits());
    ShowOctets({ui->MaskEdit5, ui->MaskEdit6, ui->MaskEdit7, ui->MaskEdit8}, m_supernetModel);
    const TIPAddress route = m_supernetModel.Route();
    const TIPAddress& mask = m_supernetModel.BitsMask();
    ui->NumNetworksPanel->setText(QString::number(m_supernetModel.MaxSupernets()));
    ui->AllocationPanel->setText(
        AddressRangeText(route.Address(), m_supernetModel.LastSupernetAddress().Address()));
    ui->RouteMaskPanel->setText(DecimalText(route) + RouteMaskSeparator + DecimalText(mask));
    ui->HexRouteMaskPanel->setText(HexText(route) + RouteMaskSeparator + HexText(mask));
}

void TQuadrelPanel::SelectAddressType(TIPClassType ipClass) {
    // Checking a button raises no click: the models hear only of the user's choices.
    if (QAbstractButton* item = ui->AddressTypeButtonGroup->button(ipClass)) {
        item->setChecked(true);
    }
}

void TQuadrelPanel::ChangeSubnet(const std::function<void()>& change) {
    const auto before = TableSource(m_subnetModel);
    change();
    if (TableSource(m_subnetModel) != before) {
        m_subnetTableStale = true;
    }
}

void TQuadrelPanel::AddressTypeRadioGroupClick() {
    const auto ipClass = static_cast<TIPClassType>(ui->AddressTypeButtonGroup->checkedId());
    if (ui->QuadrelPageControl->currentWidget() == ui->CIDRTab) {
        m_supernetModel.SetClassType(ipClass);
    } else {
        ChangeSubnet([&] { m_subnetModel.SetClassType(ipClass); });
    }
    UpdateSubnetDisplay();
}

void TQuadrelPanel::BitsSpinEditChange() {
    const auto bits = RangeChecked<std::uint8_t>(ui->BitsSpinEdit->Value());
    if (ui->QuadrelPageControl->currentWidget() == ui->CIDRTab) {
        if (bits != m_supernetModel.SupernetBits()) {
            m_supernetModel.SetSupernetBits(bits);
        }
    } else if (bits != m_subnetModel.SubnetBits()) {
        ChangeSubnet([&] { m_subnetModel.SetSubnetBits(bits); });
    }
    UpdateSubnetDisplay();
}

void TQuadrelPanel::RFC1878CheckBoxClick() {
    const bool ticked = ui->RFC1878CheckBox->isChecked();
    ChangeSubnet([&] { m_subnetModel.SetRFC1878(ticked); });
    // Without RFC 1878 a single subnet bit leaves no usable subnet; the spin edit brings the
    // bits up to the new minimum through BitsSpinEditChange.
    ui->BitsSpinEdit->SetMinValue(ticked ? 1 : 2);
    UpdateSubnetDisplay();
}

void TQuadrelPanel::CopySubnetHostButtonClick() {
    SubnetHostStringGrid().CopyToClipboard();
}

void TQuadrelPanel::MaskEdit1Exit(TOctetEdit& sender) {
    QString text = sender.TypedText();
    if (text.isEmpty()) {
        text = QStringLiteral("1");
    }
    const int value = std::min(StrToInt(text.toStdString()), MaxFirstOctet);
    ChangeSubnet([&] { m_subnetModel.SetByte(0, RangeChecked<std::uint8_t>(value)); });
    UpdateSubnetDisplay();
}

void TQuadrelPanel::MaskEdit2Exit(TOctetEdit& sender) {
    QString text = sender.TypedText();
    if (text.isEmpty()) {
        text = QStringLiteral("0");
    }
    const std::uint8_t octetIndex = BindingOf(&sender)->octetIndex;
    int value = StrToInt(text.toStdString());
    if (octetIndex == LastOctet) {
        value = std::clamp(value, MinLastOctet, MaxLastOctet);
    } else {
        value = std::min(value, MaxMiddleOctet);
    }
    ChangeSubnet([&] { m_subnetModel.SetByte(octetIndex, RangeChecked<std::uint8_t>(value)); });
    UpdateSubnetDisplay();
}

void TQuadrelPanel::MaskEdit5Exit(TOctetEdit& sender) {
    const auto value = RangeChecked<std::uint8_t>(StrToInt(sender.TypedText().toStdString()));
    m_supernetModel.SetByte(BindingOf(&sender)->octetIndex, value);
    UpdateSubnetDisplay();
}

void TQuadrelPanel::MaskEdit1KeyPress(TOctetEdit& sender, QChar& key) {
    if (key != QLatin1Char('\r')) {
        return;
    }
    key = QChar();
    (this->*BindingOf(&sender)->exit)(sender);
    UpdateSubnetDisplay();
}

void TQuadrelPanel::AdvanceWhenFull(TOctetEdit& edit, TOctetEdit& next) {
    constexpr int OctetDigits = 3;
    if (edit.TypedText().size() == OctetDigits) {
        next.setFocus(Qt::TabFocusReason);
    }
}

void TQuadrelPanel::MaskEdit1Change() {
    AdvanceWhenFull(*ui->MaskEdit1, *ui->MaskEdit2);
}

void TQuadrelPanel::MaskEdit2Change() {
    AdvanceWhenFull(*ui->MaskEdit2, *ui->MaskEdit3);
}

void TQuadrelPanel::MaskEdit3Change() {
    AdvanceWhenFull(*ui->MaskEdit3, *ui->MaskEdit4);
}

void TQuadrelPanel::MaskEdit4Change() {
    AdvanceWhenFull(*ui->MaskEdit4, *ui->MaskEdit1);
}

void TQuadrelPanel::MaskEdit5Change() {
    AdvanceWhenFull(*ui->MaskEdit5, *ui->MaskEdit6);
}

void TQuadrelPanel::MaskEdit6Change() {
    AdvanceWhenFull(*ui->MaskEdit6, *ui->MaskEdit7);
}

void TQuadrelPanel::MaskEdit7Change() {
    AdvanceWhenFull(*ui->MaskEdit7, *ui->MaskEdit8);
}

void TQuadrelPanel::MaskEdit8Change() {
    AdvanceWhenFull(*ui->MaskEdit8, *ui->MaskEdit5);
}

bool TQuadrelPanel::PasteAddress(TOctetEdit& sender, const QString& text) {
    const std::optional<TDottedAddress> address = ParseDottedAddress(text.toStdString());
    const TOctetEditBinding* pastedInto = BindingOf(&sender);
    if (!address || pastedInto == nullptr) {
        return false;
    }
    // The octets are committed one after the other, as typing them would, so that each meets
    // the limits the ones before it set.
    // The bindings list each box's octets in order.
    const TOctetEditBinding* first = pastedInto - pastedInto->octetIndex;
    for (const TOctetEditBinding* binding = first; binding != first + 4; ++binding) {
        binding->edit->setText(QString::number(address->octets.at(binding->octetIndex)));
        (this->*binding->exit)(*binding->edit);
    }
    if (address->prefixLength) {
        int bits = *address->prefixLength;
        if (pastedInto->exit != &TQuadrelPanel::MaskEdit5Exit) {
            // More subnet bits than the class holds would change the class the address chose.
            bits = std::min(bits - m_subnetModel.NetworkBits(),
                            static_cast<int>(m_subnetModel.ClassSubnetBitsLimit()));
        }
        // The spin edit keeps the bits in its range and reports the change.
        ui->BitsSpinEdit->SetValue(bits);
    }
    UpdateSubnetDisplay();
    return true;
}

const TQuadrelPanel::TOctetEditBinding* TQuadrelPanel::BindingOf(const QObject* edit) const {
    const auto found =
        std::find_if(m_octetEdits.begin(), m_octetEdits.end(),
                     [edit](const TOctetEditBinding& binding) { return binding.edit == edit; });
    return found == m_octetEdits.end() ? nullptr : &*found;
}

bool TQuadrelPanel::eventFilter(QObject* watched, QEvent* event) {
    const TOctetEditBinding* binding = BindingOf(watched);
    if (binding == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::FocusOut &&
        UserMovesFocus(static_cast<QFocusEvent*>(event)->reason())) {
        RunExitHandler(*binding);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const bool enter = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
        if (enter || !keyEvent->text().isEmpty()) {
            QChar key = enter ? QChar(QLatin1Char('\r')) : keyEvent->text().front();
            Feedback::RunGuarded([&] { MaskEdit1KeyPress(*binding->edit, key); });
            if (key.isNull()) {
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TQuadrelPanel::RunExitHandler(const TOctetEditBinding& binding) {
    Feedback::RunGuarded([&] {
        try {
            (this->*binding.exit)(*binding.edit);
        } catch (const EVarnexError&) {
            // A text that cannot be taken keeps the user in its edit, once the report is seen.
            QTimer::singleShot(0, binding.edit, [edit = binding.edit] {
                if (edit->isVisible()) {
                    edit->setFocus(Qt::TabFocusReason);
                }
            });
            throw;
        }
    });
}

void TQuadrelPanel::PageChanging(QWidget* page) {
    if (page == ui->SubnetHostTab) {
        ui->CopySubnetHostButton->setEnabled(false);
        WithdrawCopy(m_shell);
    } else if (page == ui->CIDRTab) {
        ui->AddressTypeRadioGroup->setTitle(AddressTypeCaption);
        ui->BitsLabel->setText(SubnetBitsCaption);
        ui->RFC1878CheckBox->setEnabled(true);
        // The spin edit goes back to the subnet bits before the subnet's lower limit returns,
        // so that the limit cannot push the supernet's prefix up.
        ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
        RFC1878CheckBoxClick();
        ui->QuadrelPageControl->repaint();
    }
}

void TQuadrelPanel::PageChange(QWidget* page) {
    if (page == ui->GeneralInfoTab || page == ui->AddressInfoTab) {
        ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
        ui->BitsSpinEdit->SetMaxValue(SubnetBitsMaximum);
    } else if (page == ui->SubnetHostTab) {
        ui->CopySubnetHostButton->setEnabled(true);
        RouteCopyTo(m_shell, ui->CopySubnetHostButton);
        ui->BitsSpinEdit->SetValue(m_subnetModel.SubnetBits());
        ui->BitsSpinEdit->SetMaxValue(SubnetBitsMaximum);
    } else if (page == ui->CIDRTab) {
        ui->AddressTypeRadioGroup->setTitle(AddressPrefixCaption);
        ui->BitsLabel->setText(SupernetBitsCaption);
        ui->BitsSpinEdit->SetMaxValue(SupernetBitsMaximum);
        ui->BitsSpinEdit->SetMinValue(TIPAddSupernet::MinSupernetBits);
        ui->RFC1878CheckBox->setEnabled(false);
    }
}
