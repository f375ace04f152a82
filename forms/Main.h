#pragma once

#include "CalculatorShell.h"

#include <QAbstractButton>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class TAboutCalc;
class THelpWindow;
class TLatencyCalcPanel;
class TNumoraCalcPanel;
class TQuadrelPanel;
class TSettingsStore;

namespace Ui {
class TMainForm;
}

// The program's one document window: the logos, the three calculators in one place of which one
// is shown, the menus, the routing of Edit > Copy and the page-change steps shared by the
// calculators' page controls. A calculator, the about box and the help window are built when
// first needed, so that start-up pays only for what the window shows.
class TMainForm : public QMainWindow, public ICopyTargetHost, public ISettingsHost {
    Q_OBJECT
public:
    using UrlOpener = std::function<bool(const QUrl& url)>;

    static constexpr int ClientWidth = 292;
    static constexpr int ClientHeight = 409;
    static const QUrl KorvexGroupWebSite;

    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Each calculator, built (hidden) by the first request.
    TNumoraCalcPanel* NumoraCalculator();
    TQuadrelPanel* SubnetCalculator();
    TLatencyCalcPanel* LatencyCalculator();

    // The about box that Help > About shows, built (hidden) by the first request.
    TAboutCalc* AboutBox();
    // How the web command opens an address; QDesktopServices::openUrl unless replaced.
    void SetUrlOpener(UrlOpener opener);

    // ICopyTargetHost
    void SetActiveCopyButton(QAbstractButton* button) override;
    QAbstractButton* ActiveCopyButton() const override { return m_activeCopyButton; }
    void SetCopyMenuItemEnabled(bool enabled) override;

    // ISettingsHost: run once, from the latency calculator's start, with what start-up read.
    bool LoadSettings() override;
    int StoredNetworkCount() const override;
    // Saves the settings the first time it runs and does nothing after: the window closing, the
    // application quitting and the session ending all end here.
    void SaveSettingsOnce();

    // Menu commands and control events.
    void NumoraCalculatorMenuItemClick();
    void QuadrelMenuItemClick();
    void LatencyCalculatorMenuItemClick();
    void CalcImageClick();
    void CopyMenuItemClick();
    void ExitMenuItemClick();
    void HelpTopicsMenuItemClick();
    void AboutMenuItemClick();
    void KorvexGroupImageClick();
    void WebSiteMenuItemClick();

    // The page-change steps shared by the three page controls. The changing step runs for the
    // page being left, with that page's exit action; the change step for the page now current,
    // with its enter action, and then refreshes the subnet calculator's display.
    void CalcPageControlChanging(ICalculator& calculator, QWidget* page);
    void CalcPageControlChange(ICalculator& calculator);
    // From now on, a change of the calculator's page runs the two steps above; the window does it
    // for its own three calculators.
    void ConnectPageControl(ICalculator& calculator);

protected:
    void closeEvent(QCloseEvent* event) override;
    // Writes the visible calculator and the latency chain.
    virtual void SaveSettings();

private:
    std::vector<ICalculator*> BuiltCalculators() const;
    // On the first request, builds the calculator in its place, hidden, runs its initialisation
    // and joins its page control to the window.
    template <class Calculator, class Init>
    Calculator* BuiltOnce(Calculator*& calculator, QAction* menuItem, Init init);
    void FormCreate();
    // Shows the calculator the settings name, if any.
    void RestoreCalculator();
    void FormDestroy();
    void SetClientSize();
    void NameMenuSeparators();
    void ConnectMenuCommands();
    void PageControlSwitched(ICalculator& calculator);
    void SelectCalculator(QAction* menuItem, const QString& logo, ICalculator& shown);
    void OpenKorvexGroupWebSite();
    void UpdateCopyMenuItem();

    std::unique_ptr<Ui::TMainForm> ui;
    TNumoraCalcPanel* m_numoraCalcPanel = nullptr;
    TQuadrelPanel* m_quadrelPanel = nullptr;
    TLatencyCalcPanel* m_latencyCalcPageControl = nullptr;
    // The settings as start-up read them, kept until the latency calculator has taken its chain;
    // none when nothing was stored.
    std::unique_ptr<TSettingsStore> m_storedSettings;
    QPointer<QAbstractButton> m_activeCopyButton;
    bool m_copyWanted = false;
    // Qt reports a page change only after it happened: the page each page control showed before.
    QHash<QTabWidget*, QPointer<QWidget>> m_shownPages;
    QPointer<TAboutCalc> m_aboutBox;
    QPointer<THelpWindow> m_helpWindow;
    UrlOpener m_openUrl;
    bool m_settingsSaved = false;
};
