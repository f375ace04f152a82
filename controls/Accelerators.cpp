#include "Accelerators.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QColor>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QShortcutEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

void ShowFocusFrame(QWidget& widget) {
    widget.window()->setAttribute(Qt::WA_KeyboardFocusChange);
    widget.update();
}

class TClickAtOnce : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button == nullptr || event->type() != QEvent::Shortcut ||
            static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
            return false;
        }
        button->setFocus(Qt::ShortcutFocusReason);
        ShowFocusFrame(*button);
        button->click();
        return true;
    }
};

class TEnterOnChecked : public QObject {
public:
    explicit TEnterOnChecked(QButtonGroup& group)
        : QObject(&group)
        , m_group(group) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::FocusIn) {
            return false;
        }
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        QAbstractButton* checked = m_group.checkedButton();
        // A click or an accelerator chooses its item; Tab, Shift+Tab and the program's focus
        // land on the checked one.
        if (checked != nullptr && checked != watched && reason != Qt::MouseFocusReason &&
            reason != Qt::ShortcutFocusReason) {
            checked->setFocus(reason);
            return true;
        }
        // Qt shows the focus frame only after Tab or an accelerator; a group entered any other
        // way but by the mouse (the window opening, the program's focus) shows it as well.
        if (reason != Qt::MouseFocusReason) {
            ShowFocusFrame(*static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    QButtonGroup& m_group;
};

class TSelectBuddy : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Shortcut) {
            if (auto* edit = qobject_cast<QLineEdit*>(static_cast<QLabel*>(watched)->buddy());
                edit != nullptr && edit->hasFocus()) {
                edit->selectAll();
                ShowFocusFrame(*edit);
            }
        }
        return false;
    }
};

} // namespace

void ClickItemsAtOnce(QButtonGroup& group) {
    auto* filter = new TClickAtOnce(&group);
    for (QAbstractButton* button : group.buttons()) {
        button->installEventFilter(filter);
    }
}

void EnterOnCheckedItem(QButtonGroup& group) {
    auto* filter = new TEnterOnChecked(group);
    for (QAbstractButton* button : group.buttons()) {
        button->installEventFilter(filter);
    }
}

void SelectBuddyOnAccelerator(QLabel& label) {
    label.installEventFilter(new TSelectBuddy(&label));
}

void FocusTabsOnClick(QTabWidget& pageControl) {
    pageControl.tabBar()->setFocusPolicy(Qt::StrongFocus);
}

void UseWhiteSurface(QWidget& surface) {
    QPalette palette = surface.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, Qt::white);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::Text, Qt::black);
        palette.setColor(group, QPalette::Link, QColor(0x1f, 0x4e, 0x79));
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, Qt::gray);
    palette.setColor(QPalette::Disabled, QPalette::Text, Qt::gray);
    surface.setPalette(palette);
}
