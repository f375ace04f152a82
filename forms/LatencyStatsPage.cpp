#include "LatencyStatsPage.h"

#include "Accelerators.h"
#include "CopyGlyph.h"
#include "Feedback.h"
#include "SuperStringGrid.h"
#include "ui_LatencyStatsPage.h"

namespace {

constexpr int ElementColumn = 0;
constexpr int DelayColumn = 1;
constexpr int PercentColumn = 2;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TLatencyStatsPage::TLatencyStatsPage(QWidget* parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::TLatencyStatsPage>()) {
    ui->setupUi(this);
    UseCopyGlyph(ui->CopyLatencyStatsButton);
    ui->PacketDirButtonGroup->setId(ui->AtoBRadioButton, pdAtoB);
    ui->PacketDirButtonGroup->setId(ui->BtoARadioButton, pdBtoA);
    ui->PacketDirButtonGroup->setId(ui->RoundTripRadioButton, pdRoundTrip);
    ClickItemsAtOnce(*ui->PacketDirButtonGroup);
    EnterOnCheckedItem(*ui->PacketDirButtonGroup);

    TSuperStringGrid* grid = ui->LatencyStatsStringGrid;
    grid->SetOptions(grid->Options() | TSuperStringGrid::goColSizing);
    grid->SetColWidths(ElementColumn, 145);
    grid->SetColWidths(DelayColumn, 60);
    grid->SetColWidths(PercentColumn, 40);
    grid->SetColAlignment(DelayColumn, TSuperStringGrid::taRightJustify);
    grid->SetColAlignment(PercentColumn, TSuperStringGrid::taRightJustify);
    grid->SetCells(ElementColumn, 0, QStringLiteral("Network Element"));
    grid->SetCells(DelayColumn, 0, QStringLiteral("Delay (sec)"));
    grid->SetCells(PercentColumn, 0, QStringLiteral("Percent"));

    connect(ui->PacketDirButtonGroup, &QButtonGroup::idClicked, this,
            Feedback::Guard([this] { PacketDirRadioGroupClick(); }));
    connect(ui->CopyLatencyStatsButton, &QToolButton::clicked, this,
            Feedback::Guard([this] { CopyLatencyStatsButtonClick(); }));
}

TLatencyStatsPage::~TLatencyStatsPage() = default;

TPacketDirection TLatencyStatsPage::PacketDirection() const {
    return static_cast<TPacketDirection>(ui->PacketDirButtonGroup->checkedId());
}

void TLatencyStatsPage::FillTable(std::span<const TNetworkElement* const> chain,
                                  const TLatencyTotals& totals) {
    const TPacketDirection direction = PacketDirection();
    TSuperStringGrid* grid = ui->LatencyStatsStringGrid;
    const int totalsRow = static_cast<int>(chain.size()) + 1;
    grid->SetRowCount(totalsRow + 1);
    grid->BeginUpdate();
    for (int row = 1; row < totalsRow; ++row) {
        const TNetworkElement& element = *chain[row - 1];
        grid->SetCells(ElementColumn, row, Text(element.Label));
        grid->SetCells(DelayColumn, row, Text(FormatDelay(ElementDelayFor(element, direction))));
        grid->SetCells(PercentColumn, row, Text(FormatShare(ElementShareFor(element, direction))));
    }
    grid->SetCells(ElementColumn, totalsRow, QStringLiteral("Totals:"));
    grid->SetCells(DelayColumn, totalsRow, Text(FormatDelay(TotalFor(totals, direction))));
    grid->SetCells(PercentColumn, totalsRow, QStringLiteral("100.0%"));
    grid->EndUpdate();
    grid->AutoSizeColumns();
}

void TLatencyStatsPage::CopyLatencyStatsButtonClick() {
    ui->LatencyStatsStringGrid->CopyToClipboard();
}

QToolButton* TLatencyStatsPage::CopyLatencyStatsButton() const {
    return ui->CopyLatencyStatsButton;
}

TSuperStringGrid* TLatencyStatsPage::LatencyStatsStringGrid() const {
    return ui->LatencyStatsStringGrid;
}

// The table fills the page below the radio group.
void TLatencyStatsPage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int top = ui->LatencyStatsStringGrid->y();
    ui->LatencyStatsStringGrid->setGeometry(0, top, width(), height() - top);
}

void TLatencyStatsPage::PacketDirRadioGroupClick() {
    if (m_onPacketDirRadioGroupClick) {
        m_onPacketDirRadioGroupClick();
    }
}
