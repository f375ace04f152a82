#include "KorvexPanels.h"
#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NetworkButtonForm.h"
#include "NetworkSetupEditor.h"
#include "VarnexTest.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

using VarnexTest::Control;

// How a test reaches Insert: its button, its accelerator or the surface's popup menu.
enum class Way { Click, Accelerator, PopupMenu };

// A 2-pixel line may lie either side of the point.
bool ShowsNear(const QImage& image, QPoint point, const QColor& colour) {
    for (const QPoint d : {QPoint(0, 0), QPoint(-1, -1), QPoint(1, 1), QPoint(1, -1)}) {
        if (image.pixelColor(point + d) == colour) {
            return true;
        }
    }
    return false;
}

void DestroyRetired() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QWidget* Focus() {
    return QApplication::focusWidget();
}

} // namespace

class TestLatencyCalcPanel : public QObject {
    Q_OBJECT

    std::unique_ptr<TMainForm> form;

    TLatencyCalcPanel& Panel() const { return *form->LatencyCalculator(); }
    QList<TNetworkButton*> Chain() const { return Panel().NetworkList(); }
    TNetworkButton* Selected() const { return &Panel().SelectedNetwork(); }
    TNetworkButton* NodeA() const { return Chain().front(); }
    TNetworkButton* NodeB() const { return Chain().back(); }
    TCanvasPanel& Surface() const { return *Control<TCanvasPanel>(*form, "NetworkSetupPanel"); }
    QColor LineColour() const { return Surface().palette().color(QPalette::WindowText); }
    bool Enabled(const char* name) const {
        return Control<QAbstractButton>(*form, QLatin1String(name))->isEnabled();
    }
    QAction* Item(const char* name) const { return Control<QAction>(*form, QLatin1String(name)); }
    void Click(const QObject& parent, const char* name) {
        QTest::mouseClick(Control<QAbstractButton>(parent, QLatin1String(name)), Qt::LeftButton);
    }

    void Select(TNetworkButton* element) {
        QTest::mouseClick(element, Qt::LeftButton, {}, QPoint(25, 25));
        QCOMPARE(Selected(), element);
    }

    // Through the window, as the platform delivers it, so that a right click opens popups.
    QMenu* RightClick(const QWidget* target, QPoint at, QMenu* popup) {
        QTest::mouseClick(form->windowHandle(), Qt::RightButton, {}, target->mapTo(form.get(), at));
        [&] { QTRY_COMPARE(QApplication::activePopupWidget(), popup); }();
        return popup;
    }
    QMenu* SetupMenu() {
        return RightClick(&Surface(), {130, 150}, Control<QMenu>(*form, "NetworkSetupPopupMenu"));
    }
    void ClickItem(QMenu* menu, QAction* item) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    }
    // The Remove submenu, filled as it opens.
    QMenu* RemoveSubmenu() {
        QTest::keyClick(SetupMenu(), Qt::Key_R);
        QMenu* submenu = Control<QMenu>(*form, "RemoveNetwork1Submenu");
        [&] { QTRY_COMPARE(QApplication::activePopupWidget(), submenu); }();
        return submenu;
    }

    void Insert(Way way) {
        const qsizetype before = Chain().size();
        if (way == Way::Click) {
            Click(*form, "NewNetworkButton");
        } else if (way == Way::Accelerator) {
            QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        } else {
            QTest::keyClick(SetupMenu(), Qt::Key_I);
        }
        // An accelerator clicks its button a moment later, once it has shown it pressed.
        QTRY_COMPARE(Chain().size(), before + 1);
    }

    // Press, the pointer past the drag distance to a point of the surface, release there.
    void Drag(TNetworkButton* element, QPoint to) {
        const bool node = element == NodeA() || element == NodeB();
        QTest::mousePress(element, Qt::LeftButton, {}, QPoint(25, 25));
        QTest::mouseMove(element, QPoint(25 + QApplication::startDragDistance() / 2, 25));
        QVERIFY(Surface().GenerateOnPaint());
        QTest::mouseMove(element, to - element->pos());
        QCOMPARE(Surface().GenerateOnPaint(), node);
        QTest::mouseRelease(element, Qt::LeftButton, {}, to - element->pos());
        QVERIFY(Surface().GenerateOnPaint());
    }

    // Enter on the selected element, then a topology picked from the dialog's list and OK.
    void ApplyTopology(const char* topology) {
        QTest::keyClick(Focus(), Qt::Key_Return);
        TNetworkButtonForm& dialog = Panel().NetworkButtonForm();
        QVERIFY(VarnexTest::ShowActive(dialog));
        auto* box = Control<QComboBox>(dialog, "TopologyComboBox");
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(box->view()->isVisible());
        QTest::keyClick(box->view(), Qt::Key_Home);
        for (int i = box->findText(QLatin1String(topology)); i > 0; --i) {
            QTest::keyClick(box->view(), Qt::Key_Down);
        }
        QTest::keyClick(box->view(), Qt::Key_Return);
        Click(dialog, "OKButton");
    }

private slots:
    void init() {
        VarnexTest::ResetRecorders();
        form = std::make_unique<TMainForm>();
        QVERIFY(VarnexTest::ShowActive(*form));
        QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
    }

    void cleanup() {
        while (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
        form.reset();
        DestroyRetired();
        QVERIFY2(VarnexTest::Errors().isEmpty(), qPrintable(VarnexTest::Errors().join(' ')));
    }

    void firstStartLayout() {
        const QList<TNetworkButton*> chain = Chain();
        QCOMPARE(chain.size(), 3);
        QCOMPARE(NodeA(), Control<TNetworkButton>(*form, "DesktopNetworkButton"));
        QCOMPARE(NodeB(), Control<TNetworkButton>(*form, "TowerNetworkButton"));
        const QStringList labels{"Node A (64 bytes)", "<Unknown Topology>", "Node B (1024 bytes)"};
        const QList<QPoint> positions{{8, 8}, {75, 8}, {210, 200}};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(chain[k]->toolTip(), labels[k]);
            QCOMPARE(chain[k]->pos(), positions[k]);
            QVERIFY(!chain[k]->RemoveItemsVisible());
        }
        QCOMPARE(Selected(), chain[1]);
        QVERIFY(!Enabled("MoveNetworkLeftButton") && !Enabled("MoveNetworkRightButton"));
        QVERIFY(!Item("RemoveNetwork1")->isVisible());
        QVERIFY(Enabled("NewNetworkButton") && Panel().LatencyDirty());
    }

    // Before: Node A, n1, n2, Node B.
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
        Select(before[selected]);
        Panel().SetLatencyDirty(false);
        Insert(way);
        QList<TNetworkButton*> after = Chain();
        TNetworkButton* fresh = after.takeAt(position);
        QCOMPARE(after, before);
        QCOMPARE(Selected(), fresh);
        QCOMPARE(Focus(), fresh);
        QVERIFY(Panel().LatencyDirty());
    }

    void insertsFillSlotsRowByRow() {
        const QList<QPoint> expected{{75, 8},    {143, 8},  {210, 8},  {8, 72},   {75, 72},
                                     {143, 72},  {210, 72}, {8, 136},  {75, 136}, {143, 136},
                                     {210, 136}, {8, 200},  {75, 200}, {143, 200}};
        QCOMPARE(Selected()->pos(), expected[0]);
        for (int k = 1; k < 14; ++k) {
            Insert(k % 2 == 0 ? Way::Click : Way::PopupMenu);
            QCOMPARE(Selected()->pos(), expected[k]);
        }
        QVERIFY(!Enabled("NewNetworkButton") && !Item("NewNetwork1")->isEnabled());
        QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
        QTest::qWait(200);
        QCOMPARE(Chain().size(), 16);
        // Removing any network through its own popup offers Insert again.
        TNetworkButton* removed = Chain()[5];
        ClickItem(RightClick(removed, {25, 25}, removed->PopupMenu()),
                  Control<QAction>(*removed, "RemoveItem"));
        QCOMPARE(Chain().size(), 15);
        QVERIFY(Enabled("NewNetworkButton") && Item("NewNetwork1")->isEnabled());
    }

    // n1 dragged onto Node B's slot: the lines still run Node A -> n1 -> n2 -> Node B. The nodes
    // are selected but never dragged.
    void dragOntoNodeB() {
        Select(NodeB());
        Insert(Way::Click);
        const QList<TNetworkButton*> chain = Chain();
        Panel().SetLatencyDirty(false);
        const QPoint a(33, 33), n1(100, 33), n2(168, 33), b(235, 225);
        QVERIFY(ShowsNear(Surface().grab().toImage(), (a + n1) / 2, LineColour()));
        Drag(chain[1], {240, 230});
        QCOMPARE(chain[1]->pos(), QPoint(210, 200));
        QCOMPARE(NodeB()->pos(), QPoint(210, 200));
        const QImage picture = Surface().grab().toImage();
        QVERIFY(ShowsNear(picture, (a + b) / 2, LineColour()));
        QVERIFY(ShowsNear(picture, (b + n2) / 2, LineColour()));
        QVERIFY(!ShowsNear(picture, (a + n1) / 2, LineColour()));
        for (TNetworkButton* node : {NodeA(), NodeB()}) {
            const QPoint home = node->pos();
            Drag(node, {150, 100});
            QCOMPARE(node->pos(), home);
            QCOMPARE(Selected(), node);
        }
        QCOMPARE(Chain(), chain);
        QVERIFY(!Panel().LatencyDirty());
        // Another calculator shown while the button is held: no release comes, the drag ends.
        QTest::mousePress(chain[2], Qt::LeftButton, {}, QPoint(25, 25));
        QTest::mouseMove(chain[2], QPoint(25, 100));
        QVERIFY(!Surface().GenerateOnPaint());
        QTest::keyClick(form.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(Surface().GenerateOnPaint());
    }

    // The fresh network takes the first slot that the last old network leaves free.
    void reset_data() {
        QTest::addColumn<QPoint>("placedOn");
        QTest::addColumn<int>("inserts");
        QTest::addColumn<QPoint>("freshSlot");
        QTest::newRow("old on 75, 8") << QPoint() << 0 << QPoint(143, 8);
        QTest::newRow("old on 143, 8") << QPoint(143, 8) << 0 << QPoint(75, 8);
        QTest::newRow("full chain") << QPoint() << 13 << QPoint(143, 8);
    }
    void reset() {
        QFETCH(QPoint, placedOn);
        QFETCH(int, inserts);
        QFETCH(QPoint, freshSlot);
        if (!placedOn.isNull()) {
            // As restored settings place it.
            Panel().NetworkSetupEditor().SetNetworkPosition(*Chain()[1], placedOn);
        }
        // Each goes before the newest, selected one: the first network stays last.
        for (int k = 0; k < inserts; ++k) {
            Insert(Way::Click);
        }
        const QList<TNetworkButton*> oldNetworks = Chain().mid(1, Chain().size() - 2);
        const QList<QPointer<TNetworkButton>> old(oldNetworks.begin(), oldNetworks.end());
        QTest::keyClick(form.get(), Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(!oldNetworks.contains(Chain()[1]));
        QCOMPARE(Chain().size(), 3);
        QCOMPARE(Chain()[1]->pos(), freshSlot);
        QCOMPARE(Selected(), Chain()[1]);
        QCOMPARE(NodeB()->pos(), QPoint(210, 200));
        QVERIFY(!Item("RemoveNetwork1")->isVisible() && !Chain()[1]->RemoveItemsVisible());
        DestroyRetired();
        QVERIFY(
            std::all_of(old.begin(), old.end(), [](auto& network) { return network.isNull(); }));
    }

    // Numbered by the chain order of the moment, the selected one the default entry; an entry
    // removes the element at its place.
    void submenu_data() {
        QTest::addColumn<int>("rightMoves");
        QTest::addColumn<QString>("captions");
        QTest::addColumn<int>("selectedEntry");
        QTest::newRow("as inserted") << 0 << "1.  C|2.  B&&T|3.  A" << 0;
        QTest::newRow("moved right") << 1 << "1.  B&&T|2.  C|3.  A" << 1;
        QTest::newRow("moved right twice") << 2 << "1.  B&&T|2.  A|3.  C" << 2;
    }
    void submenu() {
        QFETCH(int, rightMoves);
        QFETCH(QString, captions);
        QFETCH(int, selectedEntry);
        for (const char* label : {"A", "B&T", "C"}) {
            if (label[0] != 'A') {
                Insert(Way::Click);
            }
            Selected()->SetLabel(QString::fromLatin1(label));
        }
        for (int k = 0; k < rightMoves; ++k) {
            Click(*form, "MoveNetworkRightButton");
        }
        const QList<TNetworkButton*> before = Chain();
        QMenu* submenu = RemoveSubmenu();
        QStringList shown;
        for (const QAction* entry : submenu->actions()) {
            shown.append(entry->text());
        }
        QCOMPARE(shown.join('|'), captions);
        QCOMPARE(submenu->defaultAction(), submenu->actions()[selectedEntry]);
        ClickItem(submenu, submenu->actions()[1]);
        QList<TNetworkButton*> expected = before;
        expected.removeAt(2);
        QCOMPARE(Chain(), expected);
        QCOMPARE(Selected(), before[3]);
        QCOMPARE(submenu->actions().size(), 2);
    }

    // Tab walks the chain in its order and selects what it reaches.
    void tabSelectsInChainOrder() {
        Insert(Way::Click);
        Click(*form, "MoveNetworkRightButton");
        const QList<TNetworkButton*> chain = Chain();
        Select(NodeA());
        for (int k = 1; k < chain.size(); ++k) {
            QTest::keyClick(Focus(), Qt::Key_Tab);
            QCOMPARE(Selected(), chain[k]);
        }
        QTest::keyClick(Focus(), Qt::Key_Backtab);
        QCOMPARE(Selected(), chain[2]);
        QVERIFY(Enabled("MoveNetworkLeftButton") && !Enabled("MoveNetworkRightButton"));
    }

    void copiedPicture() {
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
        const QImage picture = QGuiApplication::clipboard()->image();
        const QRect inner = Surface().GetInnerRect();
        QCOMPARE(picture.size(), inner.size());
        // On the line from Node A to the network, between the two, and on the free surface.
        QVERIFY(ShowsNear(picture, QPoint(66, 33) - inner.topLeft(), LineColour()));
        QCOMPARE(picture.pixelColor(QPoint(130, 150) - inner.topLeft()), Surface().Color());
    }

    // While it shows, the dialog follows the selection, also off an element that is removed. A
    // kind applied to the sole network leaves its Remove entry hidden.
    void dialog() {
        Insert(Way::Click);
        TNetworkButton* shown = Selected();
        QTest::keyClick(Focus(), Qt::Key_Space);
        TNetworkButtonForm& dialog = Panel().NetworkButtonForm();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.parentWidget(), form.get());
        QCOMPARE(dialog.EditedButton(), shown);
        Select(NodeA());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Node A Properties"));
        Select(shown);
        QMenu* submenu = RemoveSubmenu();
        ClickItem(submenu, submenu->actions()[0]);
        DestroyRetired();
        TNetworkButton* sole = Chain()[1];
        QCOMPARE(dialog.EditedButton(), sole);
        Panel().SetLatencyDirty(false);
        ApplyTopology("Ethernet");
        QCOMPARE(sole->NetworkButtonKind(), nbEthernet);
        QCOMPARE(sole->toolTip(), QStringLiteral("Ethernet (10 Mbps)"));
        QVERIFY(!sole->RemoveItemsVisible() && Panel().LatencyDirty());
    }

    // A stored chain finds its topology indexes again; a name typed in an earlier run joins the
    // dialog's list. No settings are stored yet, so the panel is asked directly.
    void syncDialogWithNetworks() {
        Insert(Way::Click);
        Insert(Way::Click);
        const QStringList names{"ethernet", "My WAN", "<Unknown Topology>"};
        for (int k = 1; k <= 3; ++k) {
            Chain()[k]->SetNetworkName(names[k - 1]);
        }
        Panel().SyncDialogWithNetworks(3);
        const QList<int> indexes{4, 14, -1};
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(Chain()[k]->Element().TopologyIndex, indexes[k - 1]);
        }
        auto* box = Control<QComboBox>(Panel().NetworkButtonForm(), "TopologyComboBox");
        QCOMPARE(box->count(), 15);
        QCOMPARE(box->itemText(14), QStringLiteral("My WAN"));
    }
};

VARNEX_TEST_MAIN(TestLatencyCalcPanel)
#include "tst_LatencyCalcPanel.moc"
