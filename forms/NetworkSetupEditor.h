#pragma once

#include "NetworkChain.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QAbstractButton;
class QAction;
class QMenu;
class QPainter;
class TCanvasPanel;
class TKorvexCustomPanel;
class TNetworkButton;

// The chain editor of the Network Setup page: the elements on their slots of the setup surface,
// the lines between them, and the commands that insert, remove, reorder, drag and reset them.
// The chain's order, slots and selection live in the chain model; the buttons follow it.
class TNetworkSetupEditor : public QObject {
    Q_OBJECT

public:
    // The page's controls, made by its layout.
    struct TControls {
        TCanvasPanel* NetworkSetupPanel = nullptr;
        TNetworkButton* DesktopNetworkButton = nullptr;
        TNetworkButton* TowerNetworkButton = nullptr;
        QAbstractButton* MoveNetworkLeftButton = nullptr;
        QAbstractButton* NewNetworkButton = nullptr;
        QAbstractButton* CopyNetworkSetupButton = nullptr;
        QAbstractButton* ResetNetworkButton = nullptr;
        QAbstractButton* MoveNetworkRightButton = nullptr;
    };
    using Notify = std::function<void()>;
    using ElementNotify = std::function<void(TNetworkButton& element)>;

    // Node A and Node B make the chain, Node B selected; no network yet.
    explicit TNetworkSetupEditor(const TControls& controls, QObject* parent = nullptr);
    ~TNetworkSetupEditor() override;

    // Node A, the networks in chain order, Node B.
    QList<TNetworkButton*> NetworkList() const;
    TNetworkButton& SelectedNetwork() const;
    QMenu& NetworkSetupPopupMenu() const { return *m_popupMenu; }

    // Raised by every change that makes the computed delays stale.
    void SetOnChange(Notify handler) { m_onChange = std::move(handler); }
    // "Properties..." (or Enter, Space) on an element.
    void SetOnProperties(ElementNotify handler) { m_onProperties = std::move(handler); }
    // Raised after the selection moved, so that a visible properties dialog can follow it.
    void SetOnSelect(ElementNotify handler) { m_onSelect = std::move(handler); }

    // Puts an element on a position of the surface, as stored settings say.
    void SetNetworkPosition(TNetworkButton& element, QPoint position);
    // Re-applies the Remove and Insert rules, for example after a kind change made the element
    // show its Remove entry again.
    void ApplyChainRules();

    void SelectNetwork(TNetworkButton& element);
    TNetworkButton& NewNetworkButtonClick();
    void NetworkButtonRemove(TNetworkButton& element);
    void RemoveNetwork1Click();
    void RemoveSubmenuClick(QAction& entry);
    void ResetNetworkButtonClick();
    void MoveNetworkButtonClick(QAbstractButton& sender);
    void NetworkButtonMouseDown(TNetworkButton& sender, Qt::MouseButton button);
    void NetworkButtonStartDrag(TNetworkButton& sender);
    // The pointer at a point of the surface while a network is dragged.
    void NetworkSetupPanelDragOver(TNetworkButton& source, QPoint position);
    void NetworkButtonDragOver(TNetworkButton& sender);
    void NetworkButtonEndDrag(TNetworkButton& sender);
    void NetworkSetupPanelPaint(TKorvexCustomPanel& sender, QPainter& painter);
    void DrawConnections(QPainter& painter) const;
    void CopyNetworkSetupButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPopupMenu();
    void AttachHandlers(TNetworkButton& element);
    void DetachHandlers(TNetworkButton& element);
    TNetworkButton& CreateNetwork();
    // Takes removed elements off the surface; they are destroyed once the current event is over.
    void Retire(TNetworkButton& element);
    void Follow(TNetworkButton& element);
    void UpdateTabOrder();
    void Changed();
    // Ends a running drag where it is and forgets an armed one.
    void StopDrag();

    NetworkChain::TNetworkChain<TNetworkButton*> m_chain;
    TControls m_controls;
    QMenu* m_popupMenu = nullptr;
    QAction* m_newNetwork1 = nullptr;
    QAction* m_removeNetwork1 = nullptr;
    QMenu* m_removeSubmenu = nullptr;
    Notify m_onChange;
    ElementNotify m_onProperties;
    ElementNotify m_onSelect;

    // A left press on a network arms a drag; it starts past the platform's drag distance.
    QPointer<TNetworkButton> m_dragSource;
    QPoint m_pressPosition;
    QPoint m_lastPressPosition;
    bool m_dragging = false;
};
