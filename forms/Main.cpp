#include "Main.h"

#include "About.h"
#include "AccessibleNames.h"
#include "Feedback.h"
#include "HelpWindow.h"
#include "LatencyCalcPanel.h"
#include "LatencySettings.h"
#include "NetworkButton.h"
#include "NumoraCalcPanel.h"
#include "QuadrelPanel.h"
#include "SettingsStore.h"
#include "ui_Main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMenuBar>
#include <utility>

namespace {

const QString NumoraLogo = QStringLiteral(":/NUMORACALCLOGO");
const QString QuadrelLogo = QStringLiteral(":/QUADRELLOGO");
const QString LatencyLogo = QStringLiteral(":/LATENCYCALCLOGO");
const QString KorvexGroupLogo = QStringLiteral(":/KORVEXGROUPLOGO");

// The place of the calculators in the client area; one of them shows there at a time.
constexpr QRect CalculatorPlace(8, 88, 276, 313);

constexpr Qt::WindowFlags MainWindowFrame =
    Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

bool IsShown(const QWidget* panel) {
    return panel != nullptr && !panel->isHidden();
}

} // namespace

const QUrl TMainForm::KorvexGroupWebSite(QStringLiteral("https://www.korvexgroup.example/"));

TMainForm::TMainForm(QWidget* parent)
    : QMainWindow(parent, MainWindowFrame)
    , ui(std::make_unique<Ui::TMainForm>())
    , m_openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    ui->setupUi(this);
    NameMenuSeparators();
    // The logos are pictures without captions.
    AccessibleNames::NameFromHint(ui->CalcImage);
    AccessibleNames::NameFromHint(ui->KorvexGroupImage);
    // Logging out or a quit request ends the program without closing the window first.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this] { SaveSettingsOnce(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { SaveSettingsOnce(); });
    ConnectMenuCommands();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
}

std::vector<ICalculator*> TMainForm::BuiltCalculators() const {
    std::vector<ICalculator*> built;
    for (ICalculator* calculator : std::initializer_list<ICalculator*>{
             m_numoraCalcPanel, m_quadrelPanel, m_latencyCalcPageControl}) {
        if (calculator != nullptr) {
            built.push_back(calculator);
        }
    }
    return built;
}

template <class Calculator, class Init>
Calculator* TMainForm::BuiltOnce(Calculator*& calculator, QAction* menuItem, Init init) {
    if (calculator != nullptr) {
        return calculator;
    }
    calculator = new Calculator(ui->ClientArea);
    QWidget* panel = calculator->Panel();
    panel->hide();
    panel->setGeometry(CalculatorPlace);
    // Each calculator is read by the name of its menu item.
    calculator->PageControl()->setAccessibleName(AccessibleNames::CaptionText(menuItem->text()));
    calculator->SetShell(this);
    init(*calculator);
    ConnectPageControl(*calculator);
    return calculator;
}

TNumoraCalcPanel* TMainForm::NumoraCalculator() {
    return BuiltOnce(m_numoraCalcPanel, ui->NumoraCalculatorMenuItem,
                     [](TNumoraCalcPanel& calculator) { calculator.InitNumoraCalculator(); });
}

TQuadrelPanel* TMainForm::SubnetCalculator() {
    return BuiltOnce(m_quadrelPanel, ui->QuadrelMenuItem,
                     [](TQuadrelPanel& calculator) { calculator.InitSubnetPanel(); });
}

TLatencyCalcPanel* TMainForm::LatencyCalculator() {
    return BuiltOnce(m_latencyCalcPageControl, ui->LatencyCalculatorMenuItem,
                     [this](TLatencyCalcPanel& calculator) {
                         calculator.SetSettingsHost(this);
                         calculator.InitLatencyCalculator();
                         // The chain is taken: nothing else is read from the store of this start.
                         m_storedSettings.reset();
                     });
}

TAboutCalc* TMainForm::AboutBox() {
    if (m_aboutBox == nullptr) {
        // Owned by the main window, so that it never keeps the program running on its own.
        m_aboutBox = new TAboutCalc(this);
    }
    return m_aboutBox;
}

void TMainForm::SetUrlOpener(UrlOpener opener) {
    m_openUrl = std::move(opener);
}

void TMainForm::FormCreate() {
    SetClientSize();
    setWindowTitle(QCoreApplication::applicationName());
    ui->CalcImage->SetPicture(QuadrelLogo);
    ui->KorvexGroupImage->SetPicture(KorvexGroupLogo);

    // The settings are read once, here; the latency chain is taken from this reading when the
    // latency calculator is built.
    m_storedSettings = std::make_unique<TSettingsStore>();
    if (!m_storedSettings->Exists()) {
        m_storedSettings.reset();
    }
    RestoreCalculator();
    if (!IsShown(m_numoraCalcPanel) && !IsShown(m_quadrelPanel) &&
        !IsShown(m_latencyCalcPageControl)) {
        QuadrelMenuItemClick();
    }
}

void TMainForm::RestoreCalculator() {
    if (m_storedSettings == nullptr) {
        return;
    }
    switch (m_storedSettings->ReadInteger(QStringLiteral("Calculator")).value_or(-1)) {
    case 0:
        NumoraCalculatorMenuItemClick();
        break;
    case 1:
        QuadrelMenuItemClick();
        break;
    case 2:
        LatencyCalculatorMenuItemClick();
        // At start the keyboard waits on Node B, the element selected while the chain is
        // restored; it takes the selection when the window first becomes active.
        LatencyCalculator()->NetworkList().back()->setFocus(Qt::ShortcutFocusReason);
        break;
    default:
        break;
    }
}

void TMainForm::FormDestroy() {
    // No page-change step may reach a calculator that is being taken apart.
    for (ICalculator* calculator : BuiltCalculators()) {
        disconnect(calculator->PageControl(), nullptr, this, nullptr);
    }
    // The calculators free their models: the number, the latency chain, the subnet and supernet.
    delete m_numoraCalcPanel;
    delete m_latencyCalcPageControl;
    delete m_quadrelPanel;
}

void TMainForm::SetClientSize() {
    // The client area is what lies below the menu bar, so the window is as much taller.
    int menuHeight = menuBar()->heightForWidth(ClientWidth);
    if (menuHeight <= 0) {
        menuHeight = menuBar()->sizeHint().height();
    }
    resize(ClientWidth, ClientHeight + menuHeight);
    // Shrinking the frame below the layout would cut controls off.
    setMinimumSize(size());
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
    if (m_quadrelPanel != nullptr) {
        m_quadrelPanel->UpdateSubnetDisplay();
    }
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
    for (ICalculator* calculator : BuiltCalculators()) {
        if (calculator != &shown) {
            calculator->Panel()->hide();
        }
    }
    shown.Panel()->show();
    // The page of the calculator left gets no exit step; its copy target goes with it.
    SetCopyMenuItemEnabled(false);
    CalcPageControlChange(shown);
    // The keyboard goes where the user can see it, as a command placed it, unless it is in the
    // calculator already. An element of the latency chain that takes the focus becomes the
    // selected one, so the keyboard goes to the element selected, not to the first.
    QWidget* input = shown.FirstInput();
    if (&shown == m_latencyCalcPageControl && qobject_cast<TNetworkButton*>(input) != nullptr) {
        input = &m_latencyCalcPageControl->SelectedNetwork();
    }
    if (input != nullptr && !shown.Panel()->isAncestorOf(QApplication::focusWidget())) {
        input->setFocus(Qt::ShortcutFocusReason);
        setAttribute(Qt::WA_KeyboardFocusChange);
    }
}

void TMainForm::NumoraCalculatorMenuItemClick() {
    SelectCalculator(ui->NumoraCalculatorMenuItem, NumoraLogo, *NumoraCalculator());
}

void TMainForm::QuadrelMenuItemClick() {
    SelectCalculator(ui->QuadrelMenuItem, QuadrelLogo, *SubnetCalculator());
}

void TMainForm::LatencyCalculatorMenuItemClick() {
    SelectCalculator(ui->LatencyCalculatorMenuItem, LatencyLogo, *LatencyCalculator());
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
    if (m_storedSettings == nullptr || m_latencyCalcPageControl == nullptr) {
        return false;
    }
    LatencySettings::LoadChain(*m_storedSettings, *m_latencyCalcPageControl);
    return true;
}

int TMainForm::StoredNetworkCount() const {
    return m_storedSettings != nullptr ? LatencySettings::StoredNetworkCount(*m_storedSettings) : 0;
}

void TMainForm::SaveSettings() {
    const int calculator = IsShown(m_numoraCalcPanel) ? 0 : (IsShown(m_quadrelPanel) ? 1 : 2);
    // A chain never looked at is still written: built now from what start-up read, it is saved
    // as a well-formed store, whatever the stored one held.
    const TLatencyCalcPanel& chain = *LatencyCalculator();
    TSettingsStore store;
    store.WriteInteger(QStringLiteral("Calculator"), calculator);
    LatencySettings::SaveChain(store, chain);
    store.Flush();
}

void TMainForm::HelpTopicsMenuItemClick() {
    if (m_helpWindow == nullptr) {
        m_helpWindow = new THelpWindow(this);
    }
    m_helpWindow->ShowContents();
}

void TMainForm::AboutMenuItemClick() {
    TAboutCalc* aboutBox = AboutBox();
    aboutBox->show();
    aboutBox->raise();
    aboutBox->activateWindow();
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
