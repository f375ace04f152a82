#include "NumoraCalcPanel.h"

#include "ui_NumoraCalcPanel.h"

TNumoraCalcPanel::TNumoraCalcPanel(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TNumoraCalcPanel>()) {
    ui->setupUi(this);
}

TNumoraCalcPanel::~TNumoraCalcPanel() = default;

QTabWidget* TNumoraCalcPanel::PageControl() {
    return ui->NumoraCalcPageControl;
}

void TNumoraCalcPanel::InitNumoraCalculator() {
    ui->NumoraCalcPageControl->setCurrentWidget(ui->ConversionTabSheet);
}

void TNumoraCalcPanel::PageChanging(QWidget* page) {
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(false);
        if (m_shell != nullptr) {
            m_shell->SetCopyMenuItemEnabled(false);
        }
    }
}

void TNumoraCalcPanel::PageChange(QWidget* page) {
    if (page == ui->LookupTableTabSheet) {
        ui->CopyLookupTableButton->setEnabled(true);
        if (m_shell != nullptr) {
            m_shell->SetCopyMenuItemEnabled(true);
            m_shell->SetActiveCopyButton(ui->CopyLookupTableButton);
        }
    }
}
