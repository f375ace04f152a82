#pragma once

#include "NetworkElement.h"

#include <QToolButton>
#include <cstdint>
#include <functional>

class QAction;
class QMenu;

// An element of the latency chain as the 50 x 50 button that shows it on the setup surface: the
// picture of its kind above an empty caption, its label as the tooltip, and a popup menu with
// "Properties...", a separator and "Remove". The button holds the element's values; it knows no
// form, so "Properties..." reaches the dialog through OnProperties.
class TNetworkButton : public QToolButton {
    Q_OBJECT

public:
    using Notify = std::function<void(TNetworkButton& sender)>;
    using MouseNotify = std::function<void(TNetworkButton& sender, Qt::MouseButton button)>;

    explicit TNetworkButton(QWidget* parent = nullptr);

    const TNetworkElement& Element() const { return m_element; }
    // The values; the kind and the label go through their setters, which update the button.
    TNetworkElement& Element() { return m_element; }

    TNetworkButtonKind NetworkButtonKind() const { return m_element.NetworkButtonKind; }
    // Swaps the picture; a node hides the Remove items, a network shows them.
    void SetNetworkButtonKind(TNetworkButtonKind kind);
    QString NetworkName() const;
    void SetNetworkName(const QString& name);
    // The label is the tooltip.
    QString Label() const;
    void SetLabel(const QString& label);

    void ShowRemoveItems();
    void HideRemoveItems();
    bool RemoveItemsVisible() const;
    QMenu* PopupMenu() const { return m_popupMenu; }

    // Raises OnRemove when it is set.
    void DoRemove();
    // Raises OnProperties when it is set: "Properties...", Enter or Space on the focused button.
    void ShowProperties();
    // Opens the popup at a screen position; does nothing while it is already open.
    void OpenPopupMenu(const QPoint& globalPos);

    const Notify& OnRemove() const { return m_onRemove; }
    void SetOnRemove(Notify handler) { m_onRemove = std::move(handler); }
    const Notify& OnProperties() const { return m_onProperties; }
    void SetOnProperties(Notify handler) { m_onProperties = std::move(handler); }
    // Runs on every mouse press before the right button's popup opens.
    const MouseNotify& OnMouseDown() const { return m_onMouseDown; }
    void SetOnMouseDown(MouseNotify handler) { m_onMouseDown = std::move(handler); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateGlyph();

    TNetworkElement m_element;
    QMenu* m_popupMenu = nullptr;
    QAction* m_propertiesItem = nullptr;
    QAction* m_separatorItem = nullptr;
    QAction* m_removeItem = nullptr;
    Notify m_onRemove;
    Notify m_onProperties;
    MouseNotify m_onMouseDown;
};
