#include "QuadrelPanel.h"

#include "ui_QuadrelPanel.h"

TQuadrelPanel::TQuadrelPanel(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TQuadrelPanel>()) {
    ui->setupUi(this);
}

TQuadrelPanel::~TQuadrelPanel() = default;

QTabWidget* TQuadrelPanel::PageControl() {
    return ui->QuadrelPageControl;
}

void TQuadrelPanel::InitSubnetPanel() {
    ui->QuadrelPageControl->setCurrentWidget(ui->GeneralInfoTab);
    UpdateSubnetDisplay();
}

void TQuadrelPanel::UpdateSubnetDisplay() {}

void TQuadrelPanel::PageChanging(QWidget* page) {
    if (page == ui->SubnetHostTab) {
        ui->CopySubnetHostButton->setEnabled(false);
        if (m_shell != nullptr) {
            m_shell->SetCopyMenuItemEnabled(false);
        }
    }
}

void TQuadrelPanel::PageChange(QWidget* page) {
    if (page == ui->SubnetHostTab) {
        ui->CopySubnetHostButton->setEnabled(true);
        if (m_shell != nullptr) {
            m_shell->SetCopyMenuItemEnabled(true);
            m_shell->SetActiveCopyButton(ui->CopySubnetHostButton);
        }
    }
}
