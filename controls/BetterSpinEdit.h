#pragma once

#include <QLineEdit>
#include <functional>

class QAbstractButton;
class QToolButton;

// Two stacked arrow buttons that repeat their click while held. A press hands the keyboard
// focus to the focus control, which owns the text the arrows step.
class TSpinButton : public QWidget {
    Q_OBJECT
public:
    static constexpr int RepeatDelay = 400;
    static constexpr int RepeatInterval = 100;

    explicit TSpinButton(QWidget* focusControl);

    QToolButton* UpButton() const { return m_upButton; }
    QToolButton* DownButton() const { return m_downButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* CreateArrowButton(Qt::ArrowType arrow, const QString& name);

    QWidget* m_focusControl;
    QToolButton* m_upButton;
    QToolButton* m_downButton;
};

// A one-line integer entry with arrow buttons. It keeps a committed value inside a range and
// reports only changes of that value; typed text counts once it is committed (Enter, leaving
// the control, or the next step).
class TBetterSpinEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(int FastIncrement READ FastIncrement WRITE SetFastIncrement)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
    Q_PROPERTY(bool Infinity READ Infinity WRITE SetInfinity)
    Q_PROPERTY(Qt::Alignment Alignment READ Alignment WRITE SetAlignment)
public:
    using TNotifyEvent = std::function<void(TBetterSpinEdit& sender)>;

    static constexpr int SpinButtonWidth = 15;
    static constexpr int MinimumWidth = 33;
    static constexpr int DefaultWidth = 65;
    static constexpr int DefaultHeight = 21;

    explicit TBetterSpinEdit(QWidget* parent = nullptr);

    int Value() const { return m_value; }
    void SetValue(int value);
    int MinValue() const { return m_minValue; }
    void SetMinValue(int value);
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int value);
    int Increment() const { return m_increment; }
    void SetIncrement(int value) { m_increment = value; }
    int FastIncrement() const { return m_fastIncrement; }
    void SetFastIncrement(int value) { m_fastIncrement = value; }
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool enabled);
    bool Infinity() const { return m_infinity; }
    void SetInfinity(bool on);
    // Horizontal alignment of the text: left, right or centre.
    Qt::Alignment Alignment() const;
    void SetAlignment(Qt::Alignment alignment);

    void SetOnChange(TNotifyEvent handler) { m_onChange = std::move(handler); }
    void SetOnUpClicking(TNotifyEvent handler) { m_onUpClicking = std::move(handler); }
    void SetOnDownClicking(TNotifyEvent handler) { m_onDownClicking = std::move(handler); }
    void SetOnUpClick(TNotifyEvent handler) { m_onUpClick = std::move(handler); }
    void SetOnDownClick(TNotifyEvent handler) { m_onDownClick = std::move(handler); }

    virtual void UpClick();
    virtual void DownClick();
    void FastUpClick();
    void FastDownClick();

    // The integer the current text stands for, unclamped; unreadable text reads as 0.
    int TextValue() const;
    virtual bool IsValidChar(QChar c) const;
    int GetMinHeight() const;

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    enum class TStepDirection { Up, Down };

    void Step(TStepDirection direction, int delta);
    void CommitText();
    void HandleKeyPress(QKeyEvent* event);
    bool HandleStepKey(int key);
    bool CutAndPasteAllowed() const;
    void ConnectArrow(QAbstractButton* arrow, void (TBetterSpinEdit::*step)());
    void SetEditRect();
    void PlaceSpinButton();
    void UpdateMinimumSize();
    void ShowValue();
    void Notify(const TNotifyEvent& event);

    TSpinButton* m_spinButton;
    int m_value = 0;
    int m_minValue = 0;
    int m_maxValue = 0;
    int m_increment = 1;
    int m_fastIncrement = 10;
    bool m_editorEnabled = true;
    bool m_infinity = false;
    TNotifyEvent m_onChange;
    TNotifyEvent m_onUpClicking;
    TNotifyEvent m_onDownClicking;
    TNotifyEvent m_onUpClick;
    TNotifyEvent m_onDownClick;
};
