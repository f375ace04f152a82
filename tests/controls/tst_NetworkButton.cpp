#include "NetworkButton.h"
#include "VarnexError.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
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

QImage Picture(const QIcon& icon, int size) {
    return icon.pixmap(QSize(size, size)).toImage();
}

QImage ResourcePicture(const QString& name, int size) {
    return Picture(QIcon(QStringLiteral(":/%1.svg").arg(name)), size);
}

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

    void freshButton() {
        QCOMPARE(button->size(), QSize(50, 50));
        QCOMPARE(button->iconSize(), QSize(40, 40));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->NetworkButtonKind(), nbUnknownNetwork);
        QCOMPARE(button->toolTip(), QStringLiteral("<Unknown Topology>"));
        QVERIFY(button->RemoveItemsVisible());
        QStringList items;
        for (const QAction* item : button->PopupMenu()->actions()) {
            items.append(item->isSeparator() ? QStringLiteral("-") : item->text());
        }
        QCOMPARE(items, QStringList({"Properties...", "-", "Remove"}));
        button->SetLabel(QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(button->toolTip(), QStringLiteral("T1 (1.544 Mbps)"));
        QCOMPARE(button->Element().Label, std::string("T1 (1.544 Mbps)"));
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

    void leftPressSelectsWithoutPopup() {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(mouseDowns, QList<Qt::MouseButton>{Qt::LeftButton});
        QCOMPARE(VisibleMenus(), 0);
        QCOMPARE(surface->presses, 0);
        QCOMPARE(properties, 0);
    }

    void failingMouseDownOpensNothing() {
        button->SetOnMouseDown(
            [](TNetworkButton&, Qt::MouseButton) { throw EVarnexError("Range check error"); });
        QTest::mousePress(button, Qt::RightButton, {}, QPoint(25, 25));
        QCOMPARE(VarnexTest::Errors(), QStringList{"Range check error."});
        QCOMPARE(VisibleMenus(), 0);
        VarnexTest::ResetRecorders();
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

    void pictureFollowsKind_data() {
        QTest::addColumn<int>("kind");
        for (int kind = 0; kind < NetworkButtonKindCount; ++kind) {
            QTest::addRow("%s %d", GlyphName(TNetworkButtonKind(kind)), kind) << kind;
        }
    }

    void pictureFollowsKind() {
        QFETCH(int, kind);
        button->SetNetworkButtonKind(TNetworkButtonKind(kind));
        const QImage shown = Picture(button->icon(), 40);
        QVERIFY(!shown.isNull());
        QCOMPARE(shown, ResourcePicture(QLatin1String(GlyphName(TNetworkButtonKind(kind))), 40));
        // Scalable: a high-density screen gets a drawing of its own size, not a blown-up bitmap.
        QCOMPARE(button->icon().pixmap(QSize(80, 80)).size(), QSize(80, 80));
    }

    void picturesAreDistinct() {
        const QStringList names = {"OTHER", "ATM",        "DQDB",     "ETHERNET",  "FDDI",
                                   "HIPPI", "SATELLITE",  "TCARRIER", "TOKENRING", "UNKNOWNNETWORK",
                                   "X25",   "DESKTOPCPU", "TOWERCPU"};
        QList<QImage> pictures;
        for (const QString& name : names) {
            const QImage picture = ResourcePicture(name, 40);
            QVERIFY2(!picture.isNull(), qPrintable(name));
            for (int i = 0; i < pictures.size(); ++i) {
                QVERIFY2(picture != pictures.at(i),
                         qPrintable(name + " looks like " + names.at(i)));
            }
            pictures.append(picture);
        }
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
        QTest::addRow("network to network") << int(nbEthernet) << false << int(nbISDN) << true;
        QTest::addRow("sole network, same kind again")
            << int(nbEthernet) << true << int(nbEthernet) << false;
        QTest::addRow("sole network, other kind") << int(nbEthernet) << true << int(nbFDDI) << true;
        QTest::addRow("node to node") << int(nbDesktopCPU) << false << int(nbTowerCPU) << false;
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
