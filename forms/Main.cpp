#include "Main.h"

#include "About.h"
#include "Feedback.h"
#include "HelpWindow.h"
#include "LatencyCalcPanel.h"
#include "LatencySettings.h"
#include "NumoraCalcPanel.h"
#include "QuadrelPanel.h"
#include "SettingsStore.h"
#include "ui_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenuBar>
#include <algorithm>
#include <array>

namespace {

const QString NumoraLogo = QStringLiteral(":/NUMORACALCLOGO");
const QString QuadrelLogo = QStringLiteral(":/QUADRELLOGO");
const QString LatencyLogo = QStringLiteral(":/LATENCYCALCLOGO");
const QString KorvexGroupLogo = QStringLiteral(":/KORVEXGROUPLOGO");

constexpr Qt::WindowFlags MainWindowFrame =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

} // namespace

const QUrl TMainForm::KorvexGroupWebSite(QStringLiteral("https://www.korvexgroup.example/"));

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, MainWindowFrame)
    , ui(std::make_unique<Ui::TMainForm>())
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    ui->setupUi(this);
    NameMenuSeparators();
    for (ICalculator* calculator : Calculators()) {
        calculator->SetShell(this);
    }
    ui->LatencyCalcPageControl->SetSettingsHost(this);
    // Logging out or a quit request ends the program without closing the window first.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveSettingsOnce(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { SaveSettingsOnce(); });
    ConnectMenuCommands();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

std::array<ICalculator*, 3> TMainForm::Calculators() const {
    return {ui->NumoraCalcPanel, ui->QuadrelPanel, ui->LatencyCalcPageControl};
}

TNumoraCalcPanel* TMainForm::NumoraCalculator() const {
    return ui->NumoraCalcPanel;
}

TQuadrelPanel* TMainForm::SubnetCalculator() const {
    return ui->QuadrelPanel;
}

TLatencyCalcPanel* TMainForm::LatencyCalculator() const {
    return ui->LatencyCalcPageControl;
}

void TMainForm::SetAboutBox(TAboutCalc* aboutBox) {
    m_aboutBox = aboutBox;
}

void TMainForm::SetUrlOpener(UrlOpener opener) {
    m_openUrl = std::move(opener);
}

void TMainForm::FormCreate() {
    SetClientSize();
    setWindowTitle(QCoreApplication::applicationName());
    ui->CalcImage->SetPicture(QuadrelLogo);
    ui->KorvexGroupImage->SetPicture(KorvexGroupLogo);

    ui->NumoraCalcPanel->InitNumoraCalculator();
    ui->QuadrelPanel->InitSubnetPanel();
    ui->LatencyCalcPageControl->InitLatencyCalculator();
    for (ICalculator* calculator : Calculators()) {
        ConnectPageControl(*calculator);
    }

    // The restored settings may have shown a calculator already; otherwise the subnet calculator.
    const auto calculators = Calculators();
    if (std::all_of(calculators.begin(), calculators.end(),
                    [](ICalculator* calculator) { return calculator->Panel()->isHidden(); })) {
        QuadrelMenuItemClick();
    }
}

void TMainForm::FormDestroy() {
    // No page-change step may reach a calculator that is being taken apart.
    for (ICalculator* calculator : Calculators()) {
        disconnect(calculator->PageControl(), nullptr, this, nullptr);
    }
    // The calculators free their models: the number, the latency chain, the subnet and supernet.
    delete ui->NumoraCalcPanel;
    delete ui->LatencyCalcPageControl;
    delete ui->QuadrelPanel;
}

void TMainForm::SetClientSize() {
    // The client area is what lies below the menu bar, so the window is as much taller.
    int menuHeight = menuBar()->heightForWidth(ClientWidth);
    if (menuHeight <= 0) {
        menuHeight = menuBar()->sizeHint().height();
    }
    resize(ClientWidth, ClientHeight + menuHeight);
}

void TMainForm::NameMenuSeparators() {
    ui->HelpMenuItem->insertSeparator(ui->WebMenuItem)
        ->setObjectName(QStringLiteral("SeparatorMenuItem1"));
    ui->HelpMenuItem->insertSeparator(ui->AboutMenuItem)
        ->setObjectName(QStringLiteral("SeparatorMenuItem2"));
}

void TMainForm::ConnectMenuCommands() {
    const auto connectItem = [this](QAction* item, void (TMainForm::*handler)()) {
        connect(item, &QAction::triggered, this,
                Feedback::Guard([this, handler] { (this->*handler)(); }));
    };
    connectItem(ui->ExitMenuItem, &TMainForm::ExitMenuItemClick);
    connectItem(ui->CopyMenuItem, &TMainForm::CopyMenuItemClick);
    connectItem(ui->NumoraCalculatorMenuItem, &TMainForm::NumoraCalculatorMenuItemClick);
    connectItem(ui->QuadrelMenuItem, &TMainForm::QuadrelMenuItemClick);
    connectItem(ui->LatencyCalculatorMenuItem, &TMainForm::LatencyCalculatorMenuItemClick);
    connectItem(ui->HelpTopicsMenuItem, &TMainForm::HelpTopicsMenuItemClick);
    connectItem(ui->WebMenuItem, &TMainForm::WebSiteMenuItemClick);
    connectItem(ui->AboutMenuItem, &TMainForm::AboutMenuItemClick);
    connect(ui->CalcImage, &TSvgImage::clicked, this,
            Feedback::Guard([this] { CalcImageClick(); }));
    connect(ui->KorvexGroupImage, &TSvgImage::clicked, this,
            Feedback::Guard([this] { KorvexGroupImageClick(); }));
}

void TMainForm::ConnectPageControl(ICalculator& calculator) {
    QTabWidget* pageControl = calculator.PageControl();
    m_shownPages.insert(pageControl, pageControl->currentWidget());
    connect(pageControl, &QTabWidget::currentChanged, this,
            Feedback::Guard([this, &calculator] { PageControlSwitched(calculator); }));
}

void TMainForm::PageControlSwitched(ICalculator& calculator) {
    QTabWidget* pageControl = calculator.PageControl();
    QPointer<QWidget>& shownPage = m_shownPages[pageControl];
    QWidget* leftPage = shownPage;
    shownPage = pageControl->currentWidget();
    if (leftPage != nullptr && leftPage != shownPage) {
        CalcPageControlChanging(calculator, leftPage);
    }
    CalcPageControlChange(calculator);
}

void TMainForm::CalcPageControlChanging(ICalculator& calculator, QWidget* page) {
    calculator.PageChanging(page);
    calculator.PageExit(page);
}

void TMainForm::CalcPageControlChange(ICalculator& calculator) {
    QWidget* page = calculator.PageControl()->currentWidget();
    if (page != nullptr) {
        calculator.PageChange(page);
        calculator.PageEnter(page);
    }
    ui->QuadrelPanel->UpdateSubnetDisplay();
}

void TMainForm::SelectCalculator(QAction* menuItem, const QString& logo, ICalculator& shown) {
    menuItem->setChecked(true);
    ui->CalcImage->SetPicture(logo);
    // Hiding a panel does not take the focus from its controls: leave them first, so that what was
    // typed is committed and no keystroke goes to a hidden control.
    if (QWidget* focused = QApplication::focusWidget();
        focused != nullptr && !shown.Panel()->isAncestorOf(focused) && isAncestorOf(focused)) {
        focused->clearFocus();
    }
    for (ICalculator* calculator : Calculators()) {
        if (calculator != &shown) {
            calculator->Panel()->hide();
        }
    }
    shown.Panel()->show();
    // The page of the calculator left gets no exit step; its copy target goes with it.
    SetCopyMenuItemEnabled(false);
    CalcPageControlChange(shown);
}

void TMainForm::NumoraCalculatorMenuItemClick() {
    SelectCalculator(ui->NumoraCalculatorMenuItem, NumoraLogo, *ui->NumoraCalcPanel);
}

void TMainForm::QuadrelMenuItemClick() {
    SelectCalculator(ui->QuadrelMenuItem, QuadrelLogo, *ui->QuadrelPanel);
}

void TMainForm::LatencyCalculatorMenuItemClick() {
    SelectCalculator(ui->LatencyCalculatorMenuItem, LatencyLogo, *ui->LatencyCalcPageControl);
}

void TMainForm::CalcImageClick() {
    if (ui->QuadrelMenuItem->isChecked()) {
        LatencyCalculatorMenuItemClick();
    } else if (ui->LatencyCalculatorMenuItem->isChecked()) {
        NumoraCalculatorMenuItemClick();
    } else if (ui->NumoraCalculatorMenuItem->isChecked()) {
        QuadrelMenuItemClick();
    }
}

void TMainForm::SetActiveCopyButton(QAbstractButton* button) {
    m_activeCopyButton = button;
    UpdateCopyMenuItem();
}

void TMainForm::SetCopyMenuItemEnabled(bool enabled) {
    m_copyWanted = enabled;
    UpdateCopyMenuItem();
}

void TMainForm::UpdateCopyMenuItem() {
    ui->CopyMenuItem->setEnabled(m_copyWanted && m_activeCopyButton != nullptr);
}

void TMainForm::CopyMenuItemClick() {
    if (m_activeCopyButton != nullptr) {
        m_activeCopyButton->click();
    }
}

void TMainForm::ExitMenuItemClick() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    SaveSettingsOnce();
    QMainWindow::closeEvent(event);
}

void TMainForm::SaveSettingsOnce() {
    if (m_settingsSaved) {
        return;
    }
    m_settingsSaved = true;
    // A failure to save is reported but does not keep the program from ending.
    Feedback::RunGuarded([this] { SaveSettings(); });
}

bool TMainForm::LoadSettings() {
    const TSettingsStore store;
    if (!store.Exists()) {
        return false;
    }
    switch (store.ReadInteger(QStringLiteral("Calculator")).value_or(-1)) {
    case 0:
        NumoraCalculatorMenuItemClick();
        break;
    case 1:
        QuadrelMenuItemClick();
        break;
    case 2:
        LatencyCalculatorMenuItemClick();
        break;
    default:
        break;
    }
    LatencySettings::LoadChain(store, *ui->LatencyCalcPageControl);
    return true;
}

void TMainForm::SaveSettings() {
    TSettingsStore store;
    const int calculator =
        !ui->NumoraCalcPanel->isHidden() ? 0 : (!ui->QuadrelPanel->isHidden() ? 1 : 2);
    store.WriteInteger(QStringLiteral("Calculator"), calculator);
    LatencySettings::SaveChain(store, *ui->LatencyCalcPageControl);
    store.Flush();
}

void TMainForm::HelpTopicsMenuItemClick() {
    if (m_helpWindow == nullptr) {
        m_helpWindow = new THelpWindow(this);
    }
    m_helpWindow->ShowContents();
}

void TMainForm::AboutMenuItemClick() {
    if (m_aboutBox != nullptr) {
        m_aboutBox->show();
        m_aboutBox->raise();
        m_aboutBox->activateWindow();
    }
}

void TMainForm::KorvexGroupImageClick() {
    OpenKorvexGroupWebSite();
}

void TMainForm::WebSiteMenuItemClick() {
    OpenKorvexGroupWebSite();
}

void TMainForm::OpenKorvexGroupWebSite() {
    // Whether a browser could be started is not examined.
    if (m_openUrl) {
        m_openUrl(KorvexGroupWebSite);
    }
}
