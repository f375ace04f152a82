#pragma once

class QAbstractButton;
class QTabWidget;
class QWidget;

// What a calculator may ask of the main window: the copy button that Edit > Copy clicks, and the
// enabled state of that menu item.
class ICopyTargetHost {
public:
    // The button whose click Edit > Copy performs, or none (nullptr).
    virtual void SetActiveCopyButton(QAbstractButton* button) = 0;
    virtual QAbstractButton* ActiveCopyButton() const = 0;
    // Edit > Copy is enabled while it is wanted and a target button is set.
    virtual void SetCopyMenuItemEnabled(bool enabled) = 0;

protected:
    ~ICopyTargetHost() = default;
};

// What the latency calculator asks of the main window while it starts: the saved settings.
class ISettingsHost {
public:
    // Restores the latency chain; false when nothing is stored, and the calculator then takes its
    // first-run chain.
    virtual bool LoadSettings() = 0;
    // The number of stored networks the chain takes, from the same reading as LoadSettings.
    virtual int StoredNetworkCount() const = 0;

protected:
    ~ISettingsHost() = default;
};

// Makes the button what Edit > Copy clicks and enables the item; none (nullptr) withdraws both.
// A calculator without a shell (tested on its own) routes nothing.
inline void RouteCopyTo(ICopyTargetHost* shell, QAbstractButton* button) {
    if (shell != nullptr) {
        shell->SetActiveCopyButton(button);
        shell->SetCopyMenuItemEnabled(button != nullptr);
    }
}

// Disables Edit > Copy and leaves its target as it is.
inline void WithdrawCopy(ICopyTargetHost* shell) {
    if (shell != nullptr) {
        shell->SetCopyMenuItemEnabled(false);
    }
}

// A calculator as the main window sees it: one panel holding one page control. The main window
// shows and hides the panel and runs the page-change steps for every page control alike: for the
// page left, PageChanging then PageExit; for the page entered, PageChange then PageEnter.
class ICalculator {
public:
    virtual QWidget* Panel() = 0;
    virtual QTabWidget* PageControl() = 0;
    virtual void SetShell(ICopyTargetHost* shell) = 0;

    // This calculator's part of the main window's CalcPageControlChanging, for the page left.
    virtual void PageChanging(QWidget* page) = 0;
    // This calculator's part of the main window's CalcPageControlChange, for the page entered.
    virtual void PageChange(QWidget* page) = 0;
    // The page's own exit and enter actions, where it has them.
    virtual void PageExit(QWidget* page) { (void)page; }
    virtual void PageEnter(QWidget* page) { (void)page; }
    // The control that the keyboard starts on when the calculator is chosen, or none: unless
    // the calculator knows better, the first control of its current page that Tab reaches.
    virtual QWidget* FirstInput();

protected:
    ~ICalculator() = default;
};
