#include "NetworkButton.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHash>
#include <QIcon>
#include <QMenu>
#include <QTest>
#include <QWindow>
#include <memory>

namespace {

enum class Opener { RightPress, MenuKey, ShiftF10 };

// The setup surface stand-in: it counts what reaches it past the element.
class Surface : public QWidget {
public:
    int contextMenus = 0;
    int presses = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override {
        ++contextMenus;
        event->accept();
    }
    void mousePressEvent(QMouseEvent* event) override {
        ++presses;
        event->accept();
    }
};

int VisibleMenus() {
    int visible = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<QMenu*>(widget) != nullptr && widget->isVisible()) {
            ++visible;
        }
    }
    return visible;
}

} // namespace

class TestNetworkButton : public QObject {
    Q_OBJECT

    std::unique_ptr<Surface> surface;
    TNetworkButton* button = nullptr;
    QList<Qt::MouseButton> mouseDowns;
    bool popupOpenAtMouseDown = false;
    int properties = 0;
    int removes = 0;

    QWindow* Window() const { return surface->windowHandle(); }
    QPoint ButtonCentreInWindow() const { return button->geometry().center(); }

    // Through the window, as the platform delivers them: a right press there is followed by a
    // context menu event, and the keys pass the window's own handling.
    void Open(Opener opener) {
        switch (opener) {
        case Opener::RightPress:
            QTest::mousePress(Window(), Qt::RightButton, {}, ButtonCentreInWindow());
            QTest::mouseRelease(Window(), Qt::RightButton, {}, ButtonCentreInWindow());
            break;
        case Opener::MenuKey:
            QTest::keyClick(Window(), Qt::Key_Menu);
            break;
        case Opener::ShiftF10:
            QTest::keyClick(Window(), Qt::Key_F10, Qt::ShiftModifier);
            break;
        }
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        mouseDowns.clear();
        properties = removes = 0;
        surface = std::make_unique<Surface>();
        surface->resize(268, 257);
        button = new TNetworkButton(surface.get());
        button->move(75, 8);
        button->SetOnMouseDown([this](TNetworkButton& sender, Qt::MouseButton pressed) {
            QCOMPARE(&sender, button);
            mouseDowns.append(pressed);
            popupOpenAtMouseDown = button->PopupMenu()->isVisible();
        });
        button->SetOnProperties([this](TNetworkButton& sender) {
            QCOMPARE(&sender, button);
            ++properties;
        });
        button->SetOnRemove([this](TNetworkButton& sender) {
            QCOMPARE(&sender, button);
            ++removes;
        });
        QVERIFY(VarnexTest::ShowActive(*surface));
        button->setFocus();
        QCOMPARE(QApplication::focusWidget(), button);
    }

    void cleanup() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        surface.reset();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void popupOpensOnce_data() {
        QTest::addColumn<Opener>("opener");
        QTest::addRow("right press") << Opener::RightPress;
        QTest::addRow("menu key") << Opener::MenuKey;
        QTest::addRow("shift F10") << Opener::ShiftF10;
    }

    void popupOpensOnce() {
        QFETCH(Opener, opener);
        Open(opener);
        QTRY_COMPARE(QApplication::activePopupWidget(), button->PopupMenu());
        QTest::qWait(20);
        QCOMPARE(VisibleMenus(), 1);
        QCOMPARE(surface->contextMenus, 0);
        QCOMPARE(surface->presses, 0);
        if (opener == Opener::RightPress) {
            QCOMPARE(mouseDowns, QList<Qt::MouseButton>{Qt::RightButton});
            QVERIFY(!popupOpenAtMouseDown);
            QCOMPARE(button->PopupMenu()->pos(), surface->mapToGlobal(ButtonCentreInWindow()));
        } else {
            QVERIFY(mouseDowns.isEmpty());
        }
        QCOMPARE(properties + removes, 0);
    }

    // The popup is worked with the keyboard: Down moves over the visible items only.
    void popupItems_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("expectedProperties");
        QTest::addColumn<int>("expectedRemoves");
        QTest::addRow("network, first item") << int(nbEthernet) << 1 << 1 << 0;
        QTest::addRow("network, second item") << int(nbEthernet) << 2 << 0 << 1;
        QTest::addRow("node, wraps to the only item") << int(nbDesktopCPU) << 2 << 1 << 0;
    }

    void popupItems() {
        QFETCH(int, kind);
        QFETCH(int, downs);
        QFETCH(int, expectedProperties);
        QFETCH(int, expectedRemoves);
        button->SetNetworkButtonKind(TNetworkButtonKind(kind));
        QTest::keyClick(button, Qt::Key_Menu);
        QMenu* menu = button->PopupMenu();
        QTRY_COMPARE(QApplication::activePopupWidget(), menu);
        for (int i = 0; i < downs; ++i) {
            QTest::keyClick(menu, Qt::Key_Down);
        }
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(!menu->isVisible());
        QCOMPARE(properties, expectedProperties);
        QCOMPARE(removes, expectedRemoves);
    }

    void keysOnFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("expectedProperties");
        QTest::addRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 1;
        QTest::addRow("keypad Enter")
            << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1;
        QTest::addRow("Space") << int(Qt::Key_Space) << Qt::KeyboardModifiers() << 1;
        QTest::addRow("Ctrl+Return")
            << int(Qt::Key_Return) << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
        QTest::addRow("letter") << int(Qt::Key_P) << Qt::KeyboardModifiers() << 0;
    }

    void keysOnFocusedButton() {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, expectedProperties);
        QTest::keyClick(Window(), Qt::Key(key), modifiers);
        QCOMPARE(properties, expectedProperties);
        QCOMPARE(VisibleMenus(), 0);
    }

    // Every kind shows the picture its glyph names; kinds of one glyph share it, the 13 glyphs
    // differ; the drawing stays sharp at twice the size.
    void pictureFollowsKind() {
        QCOMPARE(button->size(), QSize(50, 50));
        QCOMPARE(button->iconSize(), QSize(40, 40));
        QVERIFY(button->text().isEmpty());
        QHash<QString, QImage> pictures;
        for (int kind = 0; kind < NetworkButtonKindCount; ++kind) {
            button->SetNetworkButtonKind(TNetworkButtonKind(kind));
            const QString glyph = QLatin1String(GlyphName(TNetworkButtonKind(kind)));
            const QImage shown = button->icon().pixmap(QSize(40, 40)).toImage();
            QVERIFY2(!shown.isNull(), qPrintable(glyph));
            QCOMPARE(shown, QIcon(":/" + glyph + ".svg").pixmap(QSize(40, 40)).toImage());
            QCOMPARE(button->icon().pixmap(QSize(80, 80)).size(), QSize(80, 80));
            for (auto other = pictures.cbegin(); other != pictures.cend(); ++other) {
                QVERIFY2(other.key() == glyph || other.value() != shown,
                         qPrintable(glyph + " looks like " + other.key()));
            }
            pictures.insert(glyph, shown);
        }
        QCOMPARE(pictures.size(), 13);
    }

    // Start with `first`, optionally hide the items, then set `second`.
    void removeItemsFollowKind_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<bool>("hide");
        QTest::addColumn<int>("second");
        QTest::addColumn<bool>("visible");
        QTest::addRow("Node A") << int(nbUnknownNetwork) << false << int(nbDesktopCPU) << false;
        QTest::addRow("Node B") << int(nbUnknownNetwork) << false << int(nbTowerCPU) << false;
        QTest::addRow("node back to network") << int(nbTowerCPU) << false << int(nbX25) << true;
        QTest::addRow("sole network, same kind again")
            << int(nbEthernet) << true << int(nbEthernet) << false;
        QTest::addRow("sole network, other kind") << int(nbEthernet) << true << int(nbFDDI) << true;
    }

    void removeItemsFollowKind() {
        QFETCH(int, first);
        QFETCH(bool, hide);
        QFETCH(int, second);
        QFETCH(bool, visible);
        button->SetNetworkButtonKind(TNetworkButtonKind(first));
        if (hide) {
            button->HideRemoveItems();
        }
        button->SetNetworkButtonKind(TNetworkButtonKind(second));
        QCOMPARE(button->NetworkButtonKind(), TNetworkButtonKind(second));
        QCOMPARE(button->RemoveItemsVisible(), visible);
        const auto items = button->PopupMenu()->actions();
        QCOMPARE(items.at(1)->isVisible(), visible);
    }
};

VARNEX_TEST_MAIN(TestNetworkButton)
#include "tst_NetworkButton.moc"
