#pragma once

#include "CalculatorShell.h"
#include "IPAddress.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TOctetEdit;
class TSuperStringGrid;

namespace Ui {
class TQuadrelPanel;
}

// The subnet calculator: General Info, Address Info and the Subnets/Hosts table show one subnet;
// the CIDR page shows one supernet. The class choice and the bits spin edit serve the supernet
// while the CIDR page is shown and the subnet otherwise.
//
// Every handler reads a control, changes a model and calls UpdateSubnetDisplay, which rewrites
// the controls of the visible page from the models.
class TQuadrelPanel : public QWidget, public ICalculator {
    Q_OBJECT
public:
    explicit TQuadrelPanel(QWidget* parent = nullptr);
    ~TQuadrelPanel() override;

    // Called once by the main window while it is created.
    void InitSubnetPanel();
    // Rewrites the visible page from the models; the main window runs it after every page change.
    // The writes raise control events whose handlers land here again and return at once.
    void UpdateSubnetDisplay();

    const TIPAddSubnet& SubnetModel() const { return m_subnetModel; }
    const TIPAddSupernet& SupernetModel() const { return m_supernetModel; }
    // The Subnets/Hosts table no longer matches the subnet; it is rebuilt when next shown.
    bool SubnetTableStale() const { return m_subnetTableStale; }
    // The Subnets/Hosts table, built (empty but for its titles) by the first request: the page
    // fills it whenever it is entered anyway.
    TSuperStringGrid& SubnetHostStringGrid();

    // ICalculator
    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override;
    QWidget* FirstInput() override;
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;

    // Control events.
    void AddressTypeRadioGroupClick();
    void BitsSpinEditChange();
    void RFC1878CheckBoxClick();
    void CopySubnetHostButtonClick();
    // Leaving the first octet of the subnet address.
    void MaskEdit1Exit(TOctetEdit& sender);
    // Leaving the second, third or last octet of the subnet address.
    void MaskEdit2Exit(TOctetEdit& sender);
    // Leaving any octet of the supernet address.
    void MaskEdit5Exit(TOctetEdit& sender);
    // A key typed into any octet edit: Enter commits the octet and is consumed (key becomes 0).
    void MaskEdit1KeyPress(TOctetEdit& sender, QChar& key);
    // The user changed the text of an octet edit: three characters move on to the next octet.
    void MaskEdit1Change();
    void MaskEdit2Change();
    void MaskEdit3Change();
    void MaskEdit4Change();
    void MaskEdit5Change();
    void MaskEdit6Change();
    void MaskEdit7Change();
    void MaskEdit8Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using TExitHandler = void (TQuadrelPanel::*)(TOctetEdit&);
    struct TOctetEditBinding {
        TOctetEdit* edit;
        std::uint8_t octetIndex;
        TExitHandler exit;
        void (TQuadrelPanel::*change)();
    };

    void ConnectControls();
    const TOctetEditBinding* BindingOf(const QObject* edit) const;
    void RunExitHandler(const TOctetEditBinding& binding);
    void AdvanceWhenFull(TOctetEdit& edit, TOctetEdit& next);
    // A dotted address pasted into any octet of a box fills the whole box; false for any other
    // text, which the edit pastes as usual.
    bool PasteAddress(TOctetEdit& sender, const QString& text);
    void ChangeSubnet(const std::function<void()>& change);
    void ShowGeneralInfo();
    void ShowAddressInfo();
    void ShowSubnetHostTable();
    void ShowCIDR();
    void SelectAddressType(TIPClassType ipClass);
    void RebuildSubnetTable();

    std::unique_ptr<Ui::TQuadrelPanel> ui;
    TSuperStringGrid* m_subnetHostStringGrid = nullptr;
    ICopyTargetHost* m_shell = nullptr;
    TIPAddSubnet m_subnetModel;
    TIPAddSupernet m_supernetModel;
    bool m_subnetTableStale = true;
    bool m_updatingSubnetDisplay = false;
    std::vector<TOctetEditBinding> m_octetEdits;
};
