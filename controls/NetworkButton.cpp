#include "NetworkButton.h"

#include "Feedback.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

namespace {

constexpr int ButtonSize = 50;
constexpr int GlyphSize = 40;

// One icon per picture for all buttons; the SVG engine renders it sharp at any scale.
const QIcon& GlyphIcon(TNetworkButtonKind kind) {
    static QHash<QString, QIcon> icons;
    const QString name = QString::fromLatin1(GlyphName(kind));
    auto found = icons.find(name);
    if (found == icons.end()) {
        found = icons.insert(name, QIcon(QStringLiteral(":/") + name + QStringLiteral(".svg")));
    }
    return *found;
}

bool IsPopupKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

bool IsPropertiesKey(const QKeyEvent& event) {
    const int key = event.key();
    return (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

} // namespace

TNetworkButton::TNetworkButton(QWidget* parent)
    : QToolButton(parent)
    , m_popupMenu(new QMenu(this)) {
    setFixedSize(ButtonSize, ButtonSize);
    setIconSize(QSize(GlyphSize, GlyphSize));
    // The picture sits on top; the caption under it stays empty.
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::StrongFocus);

    m_propertiesItem = m_popupMenu->addAction(QStringLiteral("Properties..."));
    m_propertiesItem->setObjectName(QStringLiteral("PropertiesItem"));
    m_separatorItem = m_popupMenu->addSeparator();
    m_removeItem = m_popupMenu->addAction(QStringLiteral("Remove"));
    m_removeItem->setObjectName(QStringLiteral("RemoveItem"));
    connect(m_propertiesItem, &QAction::triggered, this,
            Feedback::Guard([this] { ShowProperties(); }));
    connect(m_removeItem, &QAction::triggered, this, Feedback::Guard([this] { DoRemove(); }));

    UpdateGlyph();
    SetLabel(QString::fromStdString(m_element.Label));
}

void TNetworkButton::SetNetworkButtonKind(TNetworkButtonKind kind) {
    if (kind == m_element.NetworkButtonKind) {
        return;
    }
    m_element.NetworkButtonKind = kind;
    UpdateGlyph();
    if (IsNode(kind)) {
        HideRemoveItems();
    } else {
        ShowRemoveItems();
    }
}

QString TNetworkButton::NetworkName() const {
    return QString::fromStdString(m_element.NetworkName);
}

void TNetworkButton::SetNetworkName(const QString& name) {
    m_element.NetworkName = name.toStdString();
}

QString TNetworkButton::Label() const {
    return QString::fromStdString(m_element.Label);
}

void TNetworkButton::SetLabel(const QString& label) {
    m_element.Label = label.toStdString();
    setToolTip(label);
    // The caption is empty, so the label is what assistive tools read out.
    setAccessibleName(label);
}

void TNetworkButton::ShowRemoveItems() {
    m_separatorItem->setVisible(true);
    m_removeItem->setVisible(true);
}

void TNetworkButton::HideRemoveItems() {
    m_separatorItem->setVisible(false);
    m_removeItem->setVisible(false);
}

bool TNetworkButton::RemoveItemsVisible() const {
    return m_removeItem->isVisible();
}

void TNetworkButton::DoRemove() {
    if (m_onRemove) {
        m_onRemove(*this);
    }
}

void TNetworkButton::ShowProperties() {
    if (m_onProperties) {
        m_onProperties(*this);
    }
}

void TNetworkButton::OpenPopupMenu(const QPoint& globalPos) {
    if (!m_popupMenu->isVisible()) {
        m_popupMenu->popup(globalPos);
    }
}

void TNetworkButton::mousePressEvent(QMouseEvent* event) {
    const Qt::MouseButton button = event->button();
    const QPoint globalPos = event->globalPosition().toPoint();
    QToolButton::mousePressEvent(event);
    // A press on an element is the element's, whatever the button: the surface must not see it.
    event->accept();
    Feedback::RunGuarded([&] {
        if (m_onMouseDown) {
            m_onMouseDown(*this, button);
        }
        if (button == Qt::RightButton) {
            OpenPopupMenu(globalPos);
        }
    });
}

void TNetworkButton::contextMenuEvent(QContextMenuEvent* event) {
    // The right press has opened the popup already; taking the event keeps the surface's own
    // menu from opening as well.
    event->accept();
    if (event->reason() != QContextMenuEvent::Mouse) {
        OpenPopupMenu(mapToGlobal(rect().center()));
    }
}

void TNetworkButton::keyPressEvent(QKeyEvent* event) {
    if (IsPopupKey(*event)) {
        event->accept();
        OpenPopupMenu(mapToGlobal(rect().center()));
    } else if (IsPropertiesKey(*event)) {
        event->accept();
        Feedback::RunGuarded([this] { ShowProperties(); });
    } else {
        QToolButton::keyPressEvent(event);
    }
}

void TNetworkButton::UpdateGlyph() {
    setIcon(GlyphIcon(m_element.NetworkButtonKind));
}
