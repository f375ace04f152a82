#pragma once

#include <QLineEdit>
#include <functional>

// One octet of a dotted address: an edit for up to three digits under an input mask whose
// blanks show as spaces.
class TOctetEdit : public QLineEdit {
    Q_OBJECT
public:
    // Offered the text of every paste first; true when it took the text, which the edit then
    // leaves alone.
    using TPasteHandler = std::function<bool(TOctetEdit& sender, const QString& text)>;

    explicit TOctetEdit(QWidget* parent = nullptr);

    // What was typed with the trailing blanks dropped: a cleared edit reads as empty, and a
    // blank left between two digits stays in the text.
    QString TypedText() const;

    void SetOnPaste(TPasteHandler handler) { m_onPaste = std::move(handler); }

signals:
    // The user's typing or pasting changed the text; a key the edit could not take did not.
    void TextTyped();

protected:
    bool event(QEvent* event) override;
    // Entering by keyboard selects the whole octet, so that typing replaces it; a masked edit
    // would otherwise put the caret after the last digit, where nothing can be typed.
    void focusInEvent(QFocusEvent* event) override;
    // A character the edit cannot take (a full octet with the caret at its end, a letter) beeps.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Runs the line edit's own handling of a user's edit and reports a change of the text.
    template <typename Edit> void ReportTyping(Edit edit);
    // The paste of the keys, the middle button or the menu; false when the edit should paste as
    // usual.
    bool Paste(const QString& text);

    TPasteHandler m_onPaste;
};
