#include "KorvexPanels.h"
#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkSetupEditor.h"
#include "VarnexTest.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWindow>

namespace {

using VarnexTest::Control;

// How a test reaches one of the editor's commands.
enum class Way { Click, Accelerator, PopupMenu };

QPoint Centre(const QWidget* element) {
    return element->geometry().center();
}

// Whether a pixel at or next to the point has the colour: a 2-pixel line may sit either side.
bool ColourNear(const QImage& image, QPoint point, const QColor& colour) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixelColor(point + QPoint(dx, dy)) == colour) {
                return true;
            }
        }
    }
    return false;
}

void DestroyRetired() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestLatencyCalcPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    TLatencyCalcPanel& Panel() const { return *form->LatencyCalculator(); }
    QList<TNetworkButton*> Chain() const { return Panel().NetworkList(); }
    TCanvasPanel& Surface() const { return *Control<TCanvasPanel>(*form, "NetworkSetupPanel"); }
    TNetworkButton* NodeA() const { return Control<TNetworkButton>(*form, "DesktopNetworkButton"); }
    TNetworkButton* NodeB() const { return Control<TNetworkButton>(*form, "TowerNetworkButton"); }
    QAbstractButton* Command(const char* name) const {
        return Control<QAbstractButton>(*form, QLatin1String(name));
    }
    QAction* MenuItem(const char* name) const {
        return Control<QAction>(*form, QLatin1String(name));
    }
    QMenu* SetupMenu() const { return Control<QMenu>(*form, "NetworkSetupPopupMenu"); }
    QMenu* RemoveSubmenu() const { return Control<QMenu>(*form, "RemoveNetwork1Submenu"); }

    // A click of the main window's own, as the platform delivers it.
    void ClickInWindow(Qt::MouseButton button, const QWidget* target, QPoint at) {
        const QPoint inWindow = target->mapTo(form.get(), at);
        QTest::mouseClick(form->windowHandle(), button, {}, inWindow);
    }

    void Select(TNetworkButton* element) {
        QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(&Panel().SelectedNetwork(), element);
    }

    // Opens the surface's popup with the right button on a free place.
    QMenu* OpenSetupMenu() {
        ClickInWindow(Qt::RightButton, &Surface(), QPoint(130, 150));
        [&] { QTRY_COMPARE(QApplication::activePopupWidget(), SetupMenu()); }();
        return SetupMenu();
    }

    void Insert(Way way) {
        switch (way) {
        case Way::Click:
            QTest::mouseClick(Command("NewNetworkButton"), Qt::LeftButton);
            break;
        case Way::Accelerator: {
            // The accelerator clicks the button a moment after the key, as it shows it pressed.
            const qsizetype before = Chain().size();
            QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
            QTRY_COMPARE(Chain().size(), before + 1);
            break;
        }
        case Way::PopupMenu:
            QTest::keyClick(OpenSetupMenu(), Qt::Key_I);
            QTRY_VERIFY(!SetupMenu()->isVisible());
            break;
        }
    }

    // Opens the Remove submenu from the surface's popup; it is filled as it opens.
    QMenu* OpenRemoveSubmenu() {
        QTest::keyClick(OpenSetupMenu(), Qt::Key_R);
        [&] { QTRY_COMPARE(QApplication::activePopupWidget(), RemoveSubmenu()); }();
        return RemoveSubmenu();
    }

    QStringList SubmenuCaptions() {
        QStringList captions;
        for (const QAction* entry : OpenRemoveSubmenu()->actions()) {
            captions.append(entry->text());
        }
        return captions;
    }

    // Left press on the element, the pointer to a point of the surface, release there.
    void Drag(TNetworkButton* element, QPoint to, bool checkDuringDrag = true) {
        QTest::mousePress(element, Qt::LeftButton, {}, QPoint(25, 25));
        const int distance = QApplication::startDragDistance();
        QTest::mouseMove(element, QPoint(25 + distance / 2, 25));
        QVERIFY(Surface().GenerateOnPaint());
        QTest::mouseMove(element, to - element->pos());
        if (checkDuringDrag) {
            QVERIFY(!Surface().GenerateOnPaint());
        }
        QTest::mouseRelease(element, Qt::LeftButton, {}, to - element->pos());
        QVERIFY(Surface().GenerateOnPaint());
    }

    QImage SurfacePicture() const { return Surface().grab().toImage(); }
    QColor LineColour() const { return Surface().palette().color(QPalette::WindowText); }

    void CloseMenus() {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(Panel().isVisible());
    }

    void cleanup() {
        CloseMenus();
        form.reset();
        DestroyRetired();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");
        QTest::newRow("surface") << "NetworkSetupPanel" << QRect(0, 0, 268, 257) << ""
                                 << "";
        QTest::newRow("<<") << "MoveNetworkLeftButton" << QRect(8, 260, 21, 25) << "<<"
                            << "Move currently selected network left";
        QTest::newRow("insert") << "NewNetworkButton" << QRect(33, 260, 83, 25) << "&Insert Network"
                                << "Insert new network before currently selected network";
        QTest::newRow("copy") << "CopyNetworkSetupButton" << QRect(121, 260, 25, 25) << ""
                              << "Copy network setup to clipboard";
        QTest::newRow("reset") << "ResetNetworkButton" << QRect(152, 260, 83, 25) << "&Reset Layout"
                               << "Clear all networks";
        QTest::newRow(">>") << "MoveNetworkRightButton" << QRect(239, 260, 21, 25) << ">>"
                            << "Move currently selected network right";
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, hint);
        QWidget* control = Control(*form, name);
        QCOMPARE(control->geometry(), geometry);
        QCOMPARE(control->toolTip(), hint);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            QCOMPARE(button->text(), text);
        }
    }

    void firstStartLayout() {
        const QList<TNetworkButton*> chain = Chain();
        QCOMPARE(chain.size(), 3);
        QCOMPARE(chain.front(), NodeA());
        QCOMPARE(chain.back(), NodeB());
        const auto shows = [](const TNetworkButton* element, QPoint position, const char* label) {
            QCOMPARE(element->pos(), position);
            QCOMPARE(element->toolTip(), QLatin1String(label));
            QVERIFY(element->isVisible());
        };
        shows(NodeA(), QPoint(8, 8), "Node A (64 bytes)");
        shows(chain[1], QPoint(75, 8), "<Unknown Topology>");
        shows(NodeB(), QPoint(210, 200), "Node B (1024 bytes)");
        QCOMPARE(NodeA()->NetworkButtonKind(), nbDesktopCPU);
        QCOMPARE(NodeB()->NetworkButtonKind(), nbTowerCPU);
        QCOMPARE(chain[1]->NetworkButtonKind(), nbUnknownNetwork);
        QCOMPARE(&Panel().SelectedNetwork(), chain[1]);
        QVERIFY(!Command("MoveNetworkLeftButton")->isEnabled());
        QVERIFY(!Command("MoveNetworkRightButton")->isEnabled());
        QVERIFY(!MenuItem("RemoveNetwork1")->isVisible());
        QVERIFY(!chain[1]->RemoveItemsVisible());
        QVERIFY(!NodeA()->RemoveItemsVisible());
        QVERIFY(Command("NewNetworkButton")->isEnabled());
        QVERIFY(Panel().LatencyDirty());
    }

    // The chain before: Node A, n1, n2, Node B; the selected element decides where Insert goes.
    void insertPositionBySelection_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("position");
        QTest::addColumn<Way>("way");
        QTest::newRow("Node A") << 0 << 1 << Way::Click;
        QTest::newRow("first network") << 1 << 1 << Way::Accelerator;
        QTest::newRow("second network") << 2 << 2 << Way::PopupMenu;
        QTest::newRow("Node B") << 3 << 3 << Way::Click;
    }
    void insertPositionBySelection() {
        QFETCH(int, selected);
        QFETCH(int, position);
        QFETCH(Way, way);
        Select(NodeB());
        Insert(Way::Click);
        const QList<TNetworkButton*> before = Chain();
        QCOMPARE(before.size(), 4);
        Select(before[selected]);
        Insert(way);
        const QList<TNetworkButton*> after = Chain();
        QCOMPARE(after.size(), 5);
        TNetworkButton* fresh = after[position];
        QVERIFY(!before.contains(fresh));
        QList<TNetworkButton*> rest = after;
        rest.removeAt(position);
        QCOMPARE(rest, before);
        QCOMPARE(&Panel().SelectedNetwork(), fresh);
        QCOMPARE(QApplication::focusWidget(), fresh);
        QCOMPARE(fresh->toolTip(), QStringLiteral("<Unknown Topology>"));
    }

    void insertsFillSlotsRowByRow_data() {
        QTest::addColumn<Way>("way");
        QTest::newRow("button") << Way::Click;
        QTest::newRow("accelerator") << Way::Accelerator;
        QTest::newRow("popup menu") << Way::PopupMenu;
    }
    void insertsFillSlotsRowByRow() {
        QFETCH(Way, way);
        const QList<QPoint> expectedSlots{{75, 8},    {143, 8},  {210, 8},  {8, 72},   {75, 72},
                                          {143, 72},  {210, 72}, {8, 136},  {75, 136}, {143, 136},
                                          {210, 136}, {8, 200},  {75, 200}, {143, 200}};
        QCOMPARE(Chain()[1]->pos(), expectedSlots[0]);
        for (int k = 1; k < 14; ++k) {
            QVERIFY(Command("NewNetworkButton")->isEnabled());
            Insert(way);
            QCOMPARE(Panel().SelectedNetwork().pos(), expectedSlots[k]);
        }
        QCOMPARE(Chain().size(), 16);
        QVERIFY(!Command("NewNetworkButton")->isEnabled());
        QVERIFY(!MenuItem("NewNetwork1")->isEnabled());
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        QTest::qWait(200);
        QCOMPARE(Chain().size(), 16);

        // Removing any network through its own popup offers Insert again.
        TNetworkButton* removed = Chain()[5];
        ClickInWindow(Qt::RightButton, removed, QPoint(25, 25));
        QTRY_COMPARE(QApplication::activePopupWidget(), removed->PopupMenu());
        QAction* removeItem = Control<QAction>(*removed, "RemoveItem");
        QTest::mouseClick(removed->PopupMenu(), Qt::LeftButton, {},
                          removed->PopupMenu()->actionGeometry(removeItem).center());
        QCOMPARE(Chain().size(), 15);
        QVERIFY(Command("NewNetworkButton")->isEnabled());
        QVERIFY(MenuItem("NewNetwork1")->isEnabled());
    }

    // What each command does to the chain's order and to the dirty flag.
    void dirtyFlag_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("dirty");
        QTest::newRow("insert") << "insert" << true;
        QTest::newRow("remove") << "remove" << true;
        QTest::newRow("refused remove") << "refused remove" << true;
        QTest::newRow("reset") << "reset" << true;
        QTest::newRow("move") << "move" << false;
        QTest::newRow("drag") << "drag" << false;
        QTest::newRow("select") << "select" << false;
    }
    void dirtyFlag() {
        QFETCH(QString, command);
        QFETCH(bool, dirty);
        Select(NodeB());
        Insert(Way::Click);
        TNetworkButton* second = Chain()[2];
        Panel().SetLatencyDirty(false);
        if (command == "insert") {
            Insert(Way::Click);
        } else if (command == "remove") {
            second->DoRemove();
        } else if (command == "refused remove") {
            Chain()[1]->DoRemove();
            Panel().SetLatencyDirty(false);
            second->DoRemove();
            QCOMPARE(Chain(), (QList<TNetworkButton*>{NodeA(), second, NodeB()}));
        } else if (command == "reset") {
            QTest::mouseClick(Command("ResetNetworkButton"), Qt::LeftButton);
        } else if (command == "move") {
            QTest::mouseClick(Command("MoveNetworkLeftButton"), Qt::LeftButton);
            QCOMPARE(Chain()[1], second);
        } else if (command == "drag") {
            Drag(second, QPoint(100, 100));
        } else {
            Select(NodeA());
        }
        QCOMPARE(Panel().LatencyDirty(), dirty);
    }

    void moveButtons_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("order");
        QTest::addColumn<bool>("leftAfter");
        QTest::addColumn<bool>("rightAfter");
        QTest::newRow("first right") << 1 << "MoveNetworkRightButton"
                                     << "A 2 1 3 B" << true << true;
        QTest::newRow("second right") << 2 << "MoveNetworkRightButton"
                                      << "A 1 3 2 B" << true << false;
        QTest::newRow("last left") << 3 << "MoveNetworkLeftButton"
                                   << "A 1 3 2 B" << true << true;
        QTest::newRow("second left") << 2 << "MoveNetworkLeftButton"
                                     << "A 2 1 3 B" << false << true;
    }
    void moveButtons() {
        QFETCH(int, selected);
        QFETCH(QString, button);
        QFETCH(QString, order);
        QFETCH(bool, leftAfter);
        QFETCH(bool, rightAfter);
        Select(NodeB());
        Insert(Way::Click);
        Select(NodeB());
        Insert(Way::Click);
        const QList<TNetworkButton*> before = Chain();
        const QHash<TNetworkButton*, QPoint> slotsBefore{{before[1], before[1]->pos()},
                                                         {before[2], before[2]->pos()},
                                                         {before[3], before[3]->pos()}};
        Select(before[selected]);
        QTest::mouseClick(Control<QAbstractButton>(*form, button), Qt::LeftButton);
        QStringList names;
        for (TNetworkButton* element : Chain()) {
            names.append(element == NodeA()   ? QStringLiteral("A")
                         : element == NodeB() ? QStringLiteral("B")
                                              : QString::number(before.indexOf(element)));
        }
        QCOMPARE(names.join(' '), order);
        // The expectedSlots stay in chain order: the two elements swapped theirs.
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(Chain()[k]->pos(), slotsBefore[before[k]]);
        }
        QCOMPARE(&Panel().SelectedNetwork(), before[selected]);
        QCOMPARE(QApplication::focusWidget(), before[selected]);
        QCOMPARE(Command("MoveNetworkLeftButton")->isEnabled(), leftAfter);
        QCOMPARE(Command("MoveNetworkRightButton")->isEnabled(), rightAfter);
    }

    void nodesNeverMove_data() {
        QTest::addColumn<bool>("nodeA");
        QTest::newRow("Node A") << true;
        QTest::newRow("Node B") << false;
    }
    void nodesNeverMove() {
        QFETCH(bool, nodeA);
        TNetworkButton* node = nodeA ? NodeA() : NodeB();
        const QPoint home = node->pos();
        Drag(node, QPoint(150, 100), false);
        QCOMPARE(node->pos(), home);
        QCOMPARE(&Panel().SelectedNetwork(), node);
        QVERIFY(!Command("MoveNetworkLeftButton")->isEnabled());
        QVERIFY(!Command("MoveNetworkRightButton")->isEnabled());
    }

    void dragFollowsSlots() {
        TNetworkButton* network = Chain()[1];
        QTest::mousePress(network, Qt::LeftButton, {}, QPoint(25, 25));
        // Within the drag distance nothing moves.
        QTest::mouseMove(network, QPoint(26, 26));
        QCOMPARE(network->pos(), QPoint(75, 8));
        QVERIFY(Surface().GenerateOnPaint());
        for (const auto& [pointer, slot] : QList<std::pair<QPoint, QPoint>>{
                 {{140, 70}, {143, 72}}, {{20, 250}, {8, 200}}, {{266, 131}, {210, 136}}}) {
            QTest::mouseMove(network, pointer - network->pos());
            QCOMPARE(network->pos(), slot);
            QVERIFY(!Surface().GenerateOnPaint());
            QCOMPARE(network->cursor().shape(), Qt::DragMoveCursor);
        }
        // Outside the surface the element waits on its last slot.
        QTest::mouseMove(network, QPoint(300, 300) - network->pos());
        QCOMPARE(network->pos(), QPoint(210, 136));
        QTest::mouseRelease(network, Qt::LeftButton, {}, QPoint(25, 25));
        QVERIFY(Surface().GenerateOnPaint());
        QCOMPARE(network->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(Chain().size(), 3);
    }

    // Node A, n1, n2, Node B with n1 dragged onto Node B's slot: the lines still run
    // A -> n1 -> n2 -> B.
    void dragOntoNodeB() {
        Select(NodeB());
        Insert(Way::Click);
        TNetworkButton* first = Chain()[1];
        TNetworkButton* second = Chain()[2];
        QCOMPARE(second->pos(), QPoint(143, 8));
        Drag(first, QPoint(240, 230));
        QCOMPARE(first->pos(), QPoint(210, 200));
        QCOMPARE(NodeB()->pos(), QPoint(210, 200));
        QCOMPARE(Chain(), (QList<TNetworkButton*>{NodeA(), first, second, NodeB()}));
        const QImage picture = SurfacePicture();
        const QPoint a = Centre(NodeA()), b = Centre(NodeB()), n2 = Centre(second);
        QVERIFY(ColourNear(picture, (a + b) / 2, LineColour()));
        QVERIFY(ColourNear(picture, (b + n2) / 2, LineColour()));
        // No line from Node A straight to n2 through n1's old slot.
        QVERIFY(!ColourNear(picture, QPoint(100, 33), LineColour()));
    }

    void noLinesWhileDragging() {
        TNetworkButton* network = Chain()[1];
        QTest::mousePress(network, Qt::LeftButton, {}, QPoint(25, 25));
        QTest::mouseMove(network, QPoint(170, 160) - network->pos());
        QCOMPARE(network->pos(), QPoint(143, 136));
        const QPoint lineAToNetwork = (Centre(NodeA()) + Centre(network)) / 2;
        QVERIFY(!ColourNear(SurfacePicture(), lineAToNetwork, LineColour()));
        QTest::mouseRelease(network, Qt::LeftButton, {}, QPoint(25, 25));
        QVERIFY(ColourNear(SurfacePicture(), lineAToNetwork, LineColour()));
    }

    // The fresh network takes the first slot that the last old network leaves free.
    void reset_data() {
        QTest::addColumn<int>("extraNetworks");
        QTest::addColumn<QPoint>("dragTo");
        QTest::addColumn<QPoint>("freshSlot");
        QTest::addColumn<Way>("way");
        QTest::newRow("old on 75, 8") << 0 << QPoint() << QPoint(143, 8) << Way::Click;
        QTest::newRow("old on 143, 8") << 0 << QPoint(160, 30) << QPoint(75, 8) << Way::Accelerator;
        QTest::newRow("full chain") << 13 << QPoint() << QPoint(143, 8) << Way::Click;
    }
    void reset() {
        QFETCH(int, extraNetworks);
        QFETCH(QPoint, dragTo);
        QFETCH(QPoint, freshSlot);
        QFETCH(Way, way);
        if (!dragTo.isNull()) {
            Drag(Chain()[1], dragTo);
        }
        // Inserting before the selection each time keeps the first network last in the chain.
        for (int k = 0; k < extraNetworks; ++k) {
            Insert(Way::Click);
        }
        const QList<TNetworkButton*> oldNetworks = Chain().mid(1, Chain().size() - 2);
        QList<QPointer<TNetworkButton>> old(oldNetworks.begin(), oldNetworks.end());
        if (way == Way::Click) {
            QTest::mouseClick(Command("ResetNetworkButton"), Qt::LeftButton);
        } else {
            QTest::keyClick(form.get(), Qt::Key_R, Qt::AltModifier);
            QTRY_VERIFY(!oldNetworks.contains(Chain()[1]));
        }
        const QList<TNetworkButton*> chain = Chain();
        QCOMPARE(chain.size(), 3);
        QCOMPARE(chain[1]->pos(), freshSlot);
        QCOMPARE(&Panel().SelectedNetwork(), chain[1]);
        QCOMPARE(NodeA()->pos(), QPoint(8, 8));
        QCOMPARE(NodeB()->pos(), QPoint(210, 200));
        QVERIFY(!MenuItem("RemoveNetwork1")->isVisible());
        QVERIFY(!chain[1]->RemoveItemsVisible());
        QVERIFY(Command("NewNetworkButton")->isEnabled());
        DestroyRetired();
        for (const QPointer<TNetworkButton>& network : old) {
            QVERIFY(network.isNull());
        }
    }

    // Entries are numbered by the chain order of the moment; the selected one is the default.
    void submenuCaptions_data() {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("defaultEntry");
        const QString e = QStringLiteral("Ethernet (10 Mbps)"),
                      t = QStringLiteral("T1 (1.544 Mbps)"),
                      u = QStringLiteral("<Unknown Topology>");
        QTest::newRow("as inserted") << "" << QStringList{"1.  " + u, "2.  " + t, "3.  " + e} << 0;
        QTest::newRow("first right") << ">" << QStringList{"1.  " + t, "2.  " + u, "3.  " + e} << 1;
        QTest::newRow("right twice")
            << ">>" << QStringList{"1.  " + t, "2.  " + e, "3.  " + u} << 2;
    }
    void submenuCaptions() {
        QFETCH(QString, moves);
        QFETCH(QStringList, captions);
        QFETCH(int, defaultEntry);
        Chain()[1]->SetLabel(QStringLiteral("Ethernet (10 Mbps)"));
        Insert(Way::Click);
        Chain()[1]->SetLabel(QStringLiteral("T1 (1.544 Mbps)"));
        Insert(Way::Click);
        for (const QChar move : moves) {
            QCOMPARE(move, QLatin1Char('>'));
            QTest::mouseClick(Command("MoveNetworkRightButton"), Qt::LeftButton);
        }
        QVERIFY(MenuItem("RemoveNetwork1")->isVisible());
        QCOMPARE(SubmenuCaptions(), captions);
        QCOMPARE(RemoveSubmenu()->defaultAction(), RemoveSubmenu()->actions()[defaultEntry]);
        CloseMenus();
    }

    void submenuShowsAmpersands() {
        Chain()[1]->SetLabel(QStringLiteral("AT&T (1.544 Mbps)"));
        Insert(Way::Click);
        QCOMPARE(SubmenuCaptions().constLast(), QStringLiteral("2.  AT&&T (1.544 Mbps)"));
        CloseMenus();
    }

    // A submenu entry removes the element at its place in the chain and selects the follower.
    void submenuRemoves_data() {
        QTest::addColumn<int>("entry");
        QTest::newRow("first") << 0;
        QTest::newRow("last") << 2;
    }
    void submenuRemoves() {
        QFETCH(int, entry);
        Insert(Way::Click);
        Insert(Way::Click);
        const QList<TNetworkButton*> before = Chain();
        QPointer<TNetworkButton> removed = before[entry + 1];
        QMenu* submenu = OpenRemoveSubmenu();
        QTest::mouseClick(submenu, Qt::LeftButton, {},
                          submenu->actionGeometry(submenu->actions()[entry]).center());
        QList<TNetworkButton*> expected = before;
        expected.removeAt(entry + 1);
        QCOMPARE(Chain(), expected);
        QCOMPARE(&Panel().SelectedNetwork(), before[entry + 2]);
        QVERIFY(!removed->isVisible());
        DestroyRetired();
        QVERIFY(removed.isNull());
        QCOMPARE(RemoveSubmenu()->actions().size(), 2);
    }

    void removingToSoleNetworkHidesRemove() {
        Insert(Way::Click);
        QVERIFY(MenuItem("RemoveNetwork1")->isVisible());
        QVERIFY(Chain()[1]->RemoveItemsVisible());
        QVERIFY(Chain()[2]->RemoveItemsVisible());
        QVERIFY(!NodeA()->RemoveItemsVisible() && !NodeB()->RemoveItemsVisible());
        Chain()[1]->DoRemove();
        QCOMPARE(Chain().size(), 3);
        QVERIFY(!MenuItem("RemoveNetwork1")->isVisible());
        QVERIFY(!Chain()[1]->RemoveItemsVisible());
    }

    // Tab walks the chain in its order and selects what it reaches.
    void tabSelectsInChainOrder() {
        Insert(Way::Click);
        QTest::mouseClick(Command("MoveNetworkRightButton"), Qt::LeftButton);
        const QList<TNetworkButton*> chain = Chain();
        Select(NodeA());
        for (int k = 1; k < chain.size(); ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), chain[k]);
            QCOMPARE(&Panel().SelectedNetwork(), chain[k]);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(&Panel().SelectedNetwork(), chain[chain.size() - 2]);
        QVERIFY(Command("MoveNetworkLeftButton")->isEnabled());
        QVERIFY(!Command("MoveNetworkRightButton")->isEnabled());
    }

    void menuKeyOpensElementPopup() {
        TNetworkButton* network = Chain()[1];
        Select(network);
        QTest::keyClick(form->windowHandle(), Qt::Key_Menu);
        QTRY_COMPARE(QApplication::activePopupWidget(), network->PopupMenu());
        QVERIFY(!SetupMenu()->isVisible());
    }

    void copiedPicture_data() {
        QTest::addColumn<bool>("editCopy");
        QTest::newRow("copy button") << false;
        QTest::newRow("Edit > Copy") << true;
    }
    void copiedPicture() {
        QFETCH(bool, editCopy);
        QGuiApplication::clipboard()->clear();
        if (editCopy) {
            QVERIFY(MenuItem("CopyMenuItem")->isEnabled());
            QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        } else {
            QTest::mouseClick(Command("CopyNetworkSetupButton"), Qt::LeftButton);
        }
        const QImage picture = QGuiApplication::clipboard()->image();
        const QRect inner = Surface().GetInnerRect();
        QCOMPARE(picture.size(), inner.size());
        // The line from Node A to the network, between the two buttons.
        const QPoint onLine = QPoint(66, 33) - inner.topLeft();
        QVERIFY(ColourNear(picture, onLine, LineColour()));
        QCOMPARE(picture.pixelColor(QPoint(130, 150) - inner.topLeft()), Surface().Color());
    }
};

VARNEX_TEST_MAIN(TestLatencyCalcPanel)
#include "tst_LatencyCalcPanel.moc"
