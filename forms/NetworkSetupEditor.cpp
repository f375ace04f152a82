#include "NetworkSetupEditor.h"

#include "Feedback.h"
#include "KorvexPanels.h"
#include "NetworkButton.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

using namespace NetworkChain;

TNetworkSetupEditor::TNetworkSetupEditor(const TControls& controls, QObject* parent)
    : QObject(parent)
    , m_chain(controls.DesktopNetworkButton, controls.TowerNetworkButton)
    , m_controls(controls) {
    TNetworkButton& nodeA = *controls.DesktopNetworkButton;
    TNetworkButton& nodeB = *controls.TowerNetworkButton;
    nodeA.SetNetworkButtonKind(nbDesktopCPU);
    nodeA.SetNetworkName(QStringLiteral("Node A"));
    nodeB.SetNetworkButtonKind(nbTowerCPU);
    nodeB.SetNetworkName(QStringLiteral("Node B"));
    for (TNetworkButton* node : {&nodeA, &nodeB}) {
        AttachHandlers(*node);
        Follow(*node);
    }

    TCanvasPanel& surface = *controls.NetworkSetupPanel;
    surface.SetOnPaint([this](TKorvexCustomPanel& sender, QPainter& painter) {
        NetworkSetupPanelPaint(sender, painter);
    });
    BuildPopupMenu();
    connect(&surface, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_popupMenu->popup(m_controls.NetworkSetupPanel->mapToGlobal(at));
    });

    connect(controls.NewNetworkButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { NewNetworkButtonClick(); }));
    connect(controls.ResetNetworkButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { ResetNetworkButtonClick(); }));
    connect(controls.CopyNetworkSetupButton, &QAbstractButton::clicked, this,
            Feedback::Guard([this] { CopyNetworkSetupButtonClick(); }));
    for (QAbstractButton* move :
         {controls.MoveNetworkLeftButton, controls.MoveNetworkRightButton}) {
        connect(move, &QAbstractButton::clicked, this,
                Feedback::Guard([this, move] { MoveNetworkButtonClick(*move); }));
    }
    SelectNetwork(nodeB);
    ApplyChainRules();
}

TNetworkSetupEditor::~TNetworkSetupEditor() {
    // The surface and its elements may outlive the editor by a moment: nothing may call back.
    m_controls.NetworkSetupPanel->SetOnPaint({});
    for (TNetworkButton* element : m_controls.NetworkSetupPanel->findChildren<TNetworkButton*>()) {
        element->SetOnMouseDown({});
        element->SetOnRemove({});
        element->SetOnProperties({});
    }
}

void TNetworkSetupEditor::BuildPopupMenu() {
    m_popupMenu = new QMenu(m_controls.NetworkSetupPanel);
    m_popupMenu->setObjectName(QStringLiteral("NetworkSetupPopupMenu"));
    m_newNetwork1 = m_popupMenu->addAction(QStringLiteral("&Insert Network"));
    m_newNetwork1->setObjectName(QStringLiteral("NewNetwork1"));
    m_removeSubmenu = new QMenu(QStringLiteral("&Remove Network"), m_popupMenu);
    m_removeSubmenu->setObjectName(QStringLiteral("RemoveNetwork1Submenu"));
    m_removeNetwork1 = m_popupMenu->addMenu(m_removeSubmenu);
    m_removeNetwork1->setObjectName(QStringLiteral("RemoveNetwork1"));
    m_removeNetwork1->setVisible(false);

    connect(m_newNetwork1, &QAction::triggered, this,
            Feedback::Guard([this] { NewNetworkButtonClick(); }));
    connect(m_removeSubmenu, &QMenu::aboutToShow, this,
            Feedback::Guard([this] { RemoveNetwork1Click(); }));
    connect(m_removeSubmenu, &QMenu::triggered, this,
            Feedback::Guard([this](QAction* entry) { RemoveSubmenuClick(*entry); }));
}

void TNetworkSetupEditor::AttachHandlers(TNetworkButton& element) {
    element.SetOnMouseDown([this](TNetworkButton& sender, Qt::MouseButton button) {
        NetworkButtonMouseDown(sender, button);
    });
    element.SetOnProperties([this](TNetworkButton& sender) {
        if (m_onProperties) {
            m_onProperties(sender);
        }
    });
    if (!IsNode(element.NetworkButtonKind())) {
        element.SetOnRemove([this](TNetworkButton& sender) { NetworkButtonRemove(sender); });
    }
    element.installEventFilter(this);
}

QList<TNetworkButton*> TNetworkSetupEditor::NetworkList() const {
    const std::vector<TNetworkButton*> elements = m_chain.Elements();
    return QList<TNetworkButton*>(elements.begin(), elements.end());
}

TNetworkButton& TNetworkSetupEditor::SelectedNetwork() const {
    return *m_chain.Selected();
}

void TNetworkSetupEditor::SetNetworkPosition(TNetworkButton& element, QPoint position) {
    m_chain.SetPosition(&element, {position.x(), position.y()});
    Follow(element);
    m_controls.NetworkSetupPanel->update();
}

void TNetworkSetupEditor::Follow(TNetworkButton& element) {
    const TSlot slot = m_chain.Position(&element);
    element.move(slot.Left, slot.Top);
}

void TNetworkSetupEditor::Changed() {
    if (m_onChange) {
        m_onChange();
    }
}

void TNetworkSetupEditor::ApplyChainRules() {
    const bool insertEnabled = m_chain.InsertEnabled();
    m_controls.NewNetworkButton->setEnabled(insertEnabled);
    m_newNetwork1->setEnabled(insertEnabled);

    const bool removable = m_chain.RemoveEntriesVisible();
    m_removeNetwork1->setVisible(removable);
    for (TNetworkButton* element : m_chain.Elements()) {
        if (removable && !m_chain.IsNode(element)) {
            element->ShowRemoveItems();
        } else {
            element->HideRemoveItems();
        }
    }

    // One submenu entry per network; RemoveNetwork1Click writes their captions.
    const auto networks = static_cast<qsizetype>(m_chain.NetworkCount());
    while (m_removeSubmenu->actions().size() < networks) {
        m_removeSubmenu->addAction(QString());
    }
    while (m_removeSubmenu->actions().size() > networks) {
        // The entry may be the one whose trigger is running.
        QAction* entry = m_removeSubmenu->actions().constLast();
        m_removeSubmenu->removeAction(entry);
        entry->deleteLater();
    }
    UpdateTabOrder();
}

void TNetworkSetupEditor::UpdateTabOrder() {
    // Tab walks the chain in its order, then the command buttons.
    QList<QWidget*> order;
    for (TNetworkButton* element : m_chain.Elements()) {
        order.append(element);
    }
    order.append({m_controls.MoveNetworkLeftButton, m_controls.NewNetworkButton,
                  m_controls.CopyNetworkSetupButton, m_controls.ResetNetworkButton,
                  m_controls.MoveNetworkRightButton});
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void TNetworkSetupEditor::SelectNetwork(TNetworkButton& element) {
    m_chain.Select(&element);
    // An element on a hidden page cannot take the focus: it stays where it is.
    if (element.isVisible() && !element.hasFocus()) {
        element.setFocus(Qt::OtherFocusReason);
    }
    m_controls.MoveNetworkLeftButton->setEnabled(m_chain.MoveLeftEnabled());
    m_controls.MoveNetworkRightButton->setEnabled(m_chain.MoveRightEnabled());
    if (m_onSelect) {
        m_onSelect(element);
    }
}

TNetworkButton& TNetworkSetupEditor::CreateNetwork() {
    auto* network = new TNetworkButton(m_controls.NetworkSetupPanel);
    AttachHandlers(*network);
    return *network;
}

TNetworkButton& TNetworkSetupEditor::NewNetworkButtonClick() {
    if (!m_chain.InsertEnabled()) {
        throw EVarnexError(ChainFullMessage);
    }
    TNetworkButton& network = CreateNetwork();
    m_chain.Insert(&network);
    Follow(network);
    network.show();
    m_controls.NetworkSetupPanel->update();
    SelectNetwork(network);
    ApplyChainRules();
    Changed();
    return network;
}

void TNetworkSetupEditor::Retire(TNetworkButton& element) {
    if (m_dragSource == &element) {
        StopDrag();
    }
    element.hide();
    // The removal may run inside the element's own popup menu or mouse handling.
    element.deleteLater();
}

void TNetworkSetupEditor::NetworkButtonRemove(TNetworkButton& element) {
    if (m_chain.Remove(&element)) {
        // The follower takes the focus before the element leaves, so it never passes elsewhere.
        SelectNetwork(*m_chain.Selected());
        Retire(element);
        m_controls.NetworkSetupPanel->update();
        ApplyChainRules();
    }
    Changed();
}

void TNetworkSetupEditor::RemoveNetwork1Click() {
    const QList<QAction*> entries = m_removeSubmenu->actions();
    QAction* selectedEntry = nullptr;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        TNetworkButton* element = m_chain.At(static_cast<std::size_t>(k) + 1);
        const QString caption = QString::fromStdString(
            RemoveEntryCaption(static_cast<std::size_t>(k), element->Label().toStdString()));
        // An "&" typed into a name is shown, not taken for an accelerator.
        entries[k]->setText(QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&")));
        if (element == m_chain.Selected()) {
            selectedEntry = entries[k];
        }
    }
    m_removeSubmenu->setDefaultAction(selectedEntry);
}

void TNetworkSetupEditor::RemoveSubmenuClick(QAction& entry) {
    const qsizetype k = m_removeSubmenu->actions().indexOf(&entry);
    if (k >= 0) {
        NetworkButtonRemove(*m_chain.At(static_cast<std::size_t>(k) + 1));
    }
}

void TNetworkSetupEditor::ResetNetworkButtonClick() {
    TNetworkButton& fresh = CreateNetwork();
    const std::vector<TNetworkButton*> removed = m_chain.Reset(&fresh);
    Follow(fresh);
    fresh.show();
    SelectNetwork(fresh);
    for (TNetworkButton* old : removed) {
        Retire(*old);
    }
    m_controls.NetworkSetupPanel->update();
    ApplyChainRules();
    Changed();
}

void TNetworkSetupEditor::MoveNetworkButtonClick(QAbstractButton& sender) {
    TDirection direction;
    if (&sender == m_controls.MoveNetworkLeftButton) {
        direction = TDirection::Left;
    } else if (&sender == m_controls.MoveNetworkRightButton) {
        direction = TDirection::Right;
    } else {
        return;
    }
    TNetworkButton& moved = *m_chain.Selected();
    const std::optional<TNetworkButton*> neighbour = m_chain.Move(direction);
    if (!neighbour) {
        return;
    }
    Follow(moved);
    Follow(**neighbour);
    m_controls.NetworkSetupPanel->update();
    UpdateTabOrder();
    SelectNetwork(moved);
}

void TNetworkSetupEditor::NetworkButtonMouseDown(TNetworkButton& sender, Qt::MouseButton button) {
    // A press while a drag runs (another button, a popup) ends that drag where it is.
    StopDrag();
    SelectNetwork(sender);
    if (button == Qt::LeftButton && !m_chain.IsNode(&sender)) {
        m_dragSource = &sender;
        m_pressPosition = m_lastPressPosition;
        m_dragging = false;
    }
}

void TNetworkSetupEditor::NetworkButtonStartDrag(TNetworkButton& sender) {
    TCanvasPanel& surface = *m_controls.NetworkSetupPanel;
    surface.Erase();
    surface.SetGenerateOnPaint(false);
    sender.raise();
}

void TNetworkSetupEditor::NetworkSetupPanelDragOver(TNetworkButton& source, QPoint position) {
    if (m_chain.DragTo(&source, position.x(), position.y())) {
        Follow(source);
    }
}

void TNetworkSetupEditor::NetworkButtonDragOver(TNetworkButton& sender) {
    sender.setCursor(Qt::DragMoveCursor);
}

void TNetworkSetupEditor::NetworkButtonEndDrag(TNetworkButton& sender) {
    sender.unsetCursor();
    m_dragSource = nullptr;
    m_dragging = false;
    m_controls.NetworkSetupPanel->SetGenerateOnPaint(true);
    m_controls.NetworkSetupPanel->update();
}

void TNetworkSetupEditor::StopDrag() {
    if (m_dragSource != nullptr && m_dragging) {
        NetworkButtonEndDrag(*m_dragSource);
    }
    m_dragSource = nullptr;
    m_dragging = false;
}

void TNetworkSetupEditor::NetworkSetupPanelPaint(TKorvexCustomPanel& /*sender*/,
                                                 QPainter& painter) {
    DrawConnections(painter);
}

void TNetworkSetupEditor::DrawConnections(QPainter& painter) const {
    // From centre to centre in chain order, Node A to Node B.
    QPolygon centres;
    for (const TSlot slot : m_chain.Positions()) {
        centres.append(QPoint(slot.Left + ElementSize / 2, slot.Top + ElementSize / 2));
    }
    painter.save();
    painter.setPen(QPen(m_controls.NetworkSetupPanel->palette().color(QPalette::WindowText), 2));
    painter.drawPolyline(centres);
    painter.restore();
}

void TNetworkSetupEditor::CopyNetworkSetupButtonClick() {
    TCanvasPanel& surface = *m_controls.NetworkSetupPanel;
    surface.CopyRectToClipboard(surface.GetInnerRect());
}

bool TNetworkSetupEditor::eventFilter(QObject* watched, QEvent* event) {
    auto* element = qobject_cast<TNetworkButton*>(watched);
    if (element == nullptr || !m_chain.Contains(element)) {
        return false;
    }
    TCanvasPanel& surface = *m_controls.NetworkSetupPanel;
    switch (event->type()) {
    case QEvent::FocusIn:
        // Tab, Shift+Tab or a click: the element that takes the focus is the selected one.
        if (m_chain.Selected() != element) {
            Feedback::RunGuarded([&] { SelectNetwork(*element); });
        }
        break;
    case QEvent::MouseButtonPress: {
        // The element's own press handling selects it and may arm a drag from this point.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        m_lastPressPosition = element->mapTo(&surface, mouse->position().toPoint());
        break;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (element != m_dragSource || !(mouse->buttons() & Qt::LeftButton)) {
            break;
        }
        const QPoint at = element->mapTo(&surface, mouse->position().toPoint());
        Feedback::RunGuarded([&] {
            if (!m_dragging) {
                if ((at - m_pressPosition).manhattanLength() < QApplication::startDragDistance()) {
                    return;
                }
                m_dragging = true;
                NetworkButtonStartDrag(*element);
            }
            if (surface.rect().contains(at)) {
                NetworkSetupPanelDragOver(*element, at);
                NetworkButtonDragOver(*element);
            } else {
                element->setCursor(Qt::ForbiddenCursor);
            }
        });
        break;
    }
    case QEvent::MouseButtonRelease:
        if (element == m_dragSource &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Feedback::RunGuarded([&] { StopDrag(); });
        }
        break;
    case QEvent::Hide:
        // Another calculator shown by its shortcut while the button is held: no release comes.
        if (element == m_dragSource) {
            Feedback::RunGuarded([&] { StopDrag(); });
        }
        break;
    default:
        break;
    }
    return false;
}
