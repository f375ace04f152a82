#pragma once

#include "BinDecHex.h"
#include "CalculatorShell.h"
#include "DisplayTyping.h"

#include <QMetaObject>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

class QAbstractButton;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;

namespace Ui {
class TNumoraCalcPanel;
}

// The number conversion calculator: three displays of one number in decimal, hexadecimal and
// binary, and the lookup table of 0 to 255.
//
// The displays behave like a calculator's: they are read-only for the line edits' own editing,
// every keystroke is filtered and turned into a new text here, digits enter from the right, the
// caret stays at the end, and each change converts at once.
class TNumoraCalcPanel : public QWidget, public ICalculator {
    Q_OBJECT
public:
    explicit TNumoraCalcPanel(QWidget* parent = nullptr);
    ~TNumoraCalcPanel() override;

    // Called once by the main window while it is created.
    void InitNumoraCalculator();

    const TBinDecHexNumber& NumoraNumber() const { return m_numoraNumber; }
    // The display that last received the focus.
    QLineEdit* ActiveNumMemo() const { return m_activeNumMemo; }

    QWidget* Panel() override { return this; }
    QTabWidget* PageControl() override;
    QWidget* FirstInput() override;
    void SetShell(ICopyTargetHost* shell) override { m_shell = shell; }
    void PageChanging(QWidget* page) override;
    void PageChange(QWidget* page) override;

    // The number's notifications.
    void NumberChanged(TBinDecHexNumber& sender);
    void NumberError(TBinDecHexNumber& sender);

    // Events of the three displays.
    void NumMemoEnter(QLineEdit* sender);
    void NumMemoExit(QLineEdit* sender);
    void NumMemoChange(QLineEdit* sender);
    // Keys before they become characters; true when the key is used up here.
    bool NumMemoKeyDown(QLineEdit* sender, const QKeyEvent& key);
    // A typed character; the display's own editing never sees it.
    void NumMemoKeyPress(QLineEdit* sender, QChar key);
    // Ctrl+V, Shift+Insert or the middle button: the text is read by the display's rules.
    void NumMemoPaste(QLineEdit* sender, const QString& text);
    void NumMemoMouseDown(QLineEdit* sender);
    void NumMemoMouseMove(QLineEdit* sender);

    void NumberWidthGroupClick();
    void ClearButtonClick();
    void InvertButtonClick();
    void NumClipboardButtonClick(QAbstractButton* sender);
    void CopyLookupTableButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One display with its copy button, its base and its typing limits.
    struct TNumDisplay {
        QLineEdit* memo;
        TDisplayBase base;
        QAbstractButton* copyButton;
        void (TBinDecHexNumber::*parse)(const std::string& text);
        std::string (TBinDecHexNumber::*textForm)() const;
        bool (*accepts)(char key);
        bool upperCase;
        // Indexed by number width: 8, 16, 32 bits.
        std::array<int, 3> maxLengths;
        // The limit at the width chosen.
        int maxLength = 0;
    };

    void ConnectControls();
    void FillLookupTable();
    TNumDisplay* DisplayOf(const QObject* object);
    QString TextForm(const TNumDisplay& display) const;
    bool NumMemoEvent(QLineEdit& memo, QEvent& event);
    void NumMemoFocusIn(QLineEdit& memo, QFocusEvent& event);
    bool NumMemoKeyEvent(QLineEdit& memo, const QKeyEvent& event);
    static void PutCaretAtEnd(QLineEdit* memo);

    std::unique_ptr<Ui::TNumoraCalcPanel> ui;
    ICopyTargetHost* m_shell = nullptr;
    TBinDecHexNumber m_numoraNumber;
    std::array<TNumDisplay, 3> m_displays;
    QLineEdit* m_activeNumMemo = nullptr;
    // The display that has been entered and not yet left: the one carrying NumMemoChange.
    QLineEdit* m_enteredMemo = nullptr;
    QMetaObject::Connection m_changeConnection;
    bool m_forwardingFocus = false;
    // Set while the displays are rewritten from the number, whose own writes need no parsing.
    bool m_refreshing = false;
};
