#include "CalculatorShell.h"

#include <QAbstractButton>
#include <QTabWidget>

QWidget* ICalculator::FirstInput() {
    QWidget* page = PageControl()->currentWidget();
    if (page == nullptr) {
        return nullptr;
    }
    // The first control of the page that Tab reaches; of a group of choices, its chosen item.
    for (QWidget* widget = page->nextInFocusChain(); widget != page;
         widget = widget->nextInFocusChain()) {
        if (!page->isAncestorOf(widget) || !widget->isVisibleTo(page) || !widget->isEnabled() ||
            (widget->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (auto* item = qobject_cast<QAbstractButton*>(widget);
            item != nullptr && item->autoExclusive()) {
            for (QAbstractButton* sibling : widget->parentWidget()->findChildren<QAbstractButton*>(
                     Qt::FindDirectChildrenOnly)) {
                if (sibling->autoExclusive() && sibling->isChecked()) {
                    return sibling;
                }
            }
        }
        return widget;
    }
    return nullptr;
}
