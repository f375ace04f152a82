#pragma once

#include <QLineEdit>

// One octet of a dotted address: an edit for up to three digits under an input mask whose
// blanks show as spaces.
class TOctetEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TOctetEdit(QWidget* parent = nullptr);

    // What was typed with the trailing blanks dropped: a cleared edit reads as empty, and a
    // blank left between two digits stays in the text.
    QString TypedText() const;

protected:
    bool event(QEvent* event) override;
    // Entering by keyboard selects the whole octet, so that typing replaces it; a masked edit
    // would otherwise put the caret after the last digit, where nothing can be typed.
    void focusInEvent(QFocusEvent* event) override;
};
