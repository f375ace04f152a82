// A random user on the real main window: seeded sequences of keys, shortcuts, clicks, page
// changes and the properties dialog, with the window's standing rules checked after every event.
//   tst_RandomUser [-events N] [-seed S] [Qt Test options]
// -events sets the events per seed (default 5000), -seed replays one seed alone.
#include "LatencyCalcPanel.h"
#include "Main.h"
#include "NetworkButton.h"
#include "NumoraCalcPanel.h"
#include "QuadrelPanel.h"
#include "VarnexTest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <array>
#include <memory>
#include <optional>
#include <random>

namespace {

int eventsPerSeed = 5000;
QList<quint32> chosenSeeds;

// The messages a user's input may legitimately raise: the conversion errors of typed text, the
// range check of an octet, and the latency computation's errors for values the dialog accepts
// (Ethernet at 0 Mbps, packet sizes whose sum overflows, delays beyond the float range).
const QRegularExpression AllowedError(
    QStringLiteral("^('.*' is not a valid (integer|floating point) value|Range check error|"
                   "Floating point division by zero|Integer overflow|Floating point overflow)"
                   "\\.?$"),
    QRegularExpression::DotMatchesEverythingOption);

struct TKey {
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
};

// Keys of ordinary typing and moving about; the context menu key is left out, as QLineEdit's
// context menu runs a nested event loop.
const TKey TypingKeys[] = {
    {Qt::Key_Tab, {}},
    {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Return, {}},
    {Qt::Key_Enter, Qt::KeypadModifier},
    {Qt::Key_Backspace, {}},
    {Qt::Key_Delete, {}},
    {Qt::Key_Left, {}},
    {Qt::Key_Right, {}},
    {Qt::Key_Up, {}},
    {Qt::Key_Down, {}},
    {Qt::Key_PageUp, {}},
    {Qt::Key_PageDown, {}},
    {Qt::Key_Home, {}},
    {Qt::Key_End, {}},
    {Qt::Key_Space, {}},
    {Qt::Key_Escape, {}},
    {Qt::Key_Minus, {}},
    {Qt::Key_Plus, {}},
    {Qt::Key_Period, {}},
    {Qt::Key_Comma, {}},
    {Qt::Key_V, Qt::ControlModifier},
};

// The menu shortcuts: Exit, Copy, the three calculators, Help Topics.
const TKey ShortcutKeys[] = {
    {Qt::Key_X, Qt::ControlModifier}, {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_H, Qt::ControlModifier}, {Qt::Key_I, Qt::ControlModifier},
    {Qt::Key_L, Qt::ControlModifier}, {Qt::Key_F1, {}},
};

const char* const CalculatorItems[] = {"NumoraCalculatorMenuItem", "QuadrelMenuItem",
                                       "LatencyCalculatorMenuItem"};

class TRandomUser {
public:
    explicit TRandomUser(quint32 seed)
        : m_random(seed) {}

    // The event with this index; returns what it did, for the failure message.
    QString Act(TMainForm& form) {
        m_form = &form;
        // The help window, once open, would take most events: the user goes back now and then.
        QWidget* active = QApplication::activeWindow();
        if (active != nullptr && active != m_form && active->parentWidget() == m_form &&
            !active->inherits("TNetworkButtonForm") && Next(4) == 0) {
            VarnexTest::ShowActive(*m_form);
            return QStringLiteral("back to the main window from %1").arg(Describe(active));
        }
        const unsigned kind = Next(100);
        if (kind < 40) {
            return TypeCharacter();
        }
        if (kind < 62) {
            return PressKey(TypingKeys[Next(std::size(TypingKeys))]);
        }
        if (kind < 66) {
            return PressKey(ShortcutKeys[Next(std::size(ShortcutKeys))]);
        }
        if (kind < 70) {
            // An accelerator: Alt and a letter.
            return PressKey({static_cast<Qt::Key>(Qt::Key_A + Next(26)), Qt::AltModifier});
        }
        if (kind < 86) {
            return ClickWidget();
        }
        if (kind < 93) {
            return ChangePage();
        }
        if (kind < 97) {
            return OpenProperties();
        }
        VarnexTest::ShowActive(*m_form);
        return QStringLiteral("activate the main window");
    }

private:
    unsigned Next(std::size_t bound) { return static_cast<unsigned>(m_random() % bound); }

    // Where a key goes: an open popup first, then the focused widget, then the active window.
    static QWidget* KeyTarget() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            return popup;
        }
        if (QWidget* focused = QApplication::focusWidget()) {
            return focused;
        }
        return QApplication::activeWindow();
    }

    QString TypeCharacter() {
        static const char Characters[] = "0123456789012345678901234567890123456789abcdefABCDEFgxz";
        const char c = Characters[Next(sizeof Characters - 1)];
        QWidget* target = KeyTarget();
        if (target == nullptr) {
            return QStringLiteral("type '%1' to nobody").arg(QChar::fromLatin1(c));
        }
        const QString where = Describe(target);
        QTest::keyClick(target, c);
        return QStringLiteral("type '%1' into %2").arg(QChar::fromLatin1(c), where);
    }

    QString PressKey(TKey key) {
        QWidget* target = KeyTarget();
        if (target == nullptr) {
            return QStringLiteral("key %1 to nobody").arg(key.Key);
        }
        const QString where = Describe(target);
        QTest::keyClick(target, key.Key, key.Modifiers);
        return QStringLiteral("key %1 (modifiers %2) into %3")
            .arg(QKeySequence(key.Key).toString())
            .arg(key.Modifiers.toInt())
            .arg(where);
    }

    // A left click at a random point of a random visible, enabled widget of the active window.
    QString ClickWidget() {
        QWidget* window = QApplication::activePopupWidget();
        if (window == nullptr) {
            window = QApplication::activeWindow() != nullptr ? QApplication::activeWindow()
                                                             : static_cast<QWidget*>(m_form);
        }
        QList<QWidget*> candidates{window};
        for (QWidget* child : window->findChildren<QWidget*>()) {
            if (child->isVisible() && child->isEnabled() && !child->rect().isEmpty()) {
                candidates.append(child);
            }
        }
        QWidget* widget = candidates[static_cast<qsizetype>(Next(candidates.size()))];
        const QPoint at(static_cast<int>(Next(widget->width())),
                        static_cast<int>(Next(widget->height())));
        const QString what =
            QStringLiteral("click %1 at %2,%3").arg(Describe(widget)).arg(at.x()).arg(at.y());
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        return what;
    }

    QString ChangePage() {
        QList<QTabWidget*> pageControls;
        for (QTabWidget* pages : m_form->findChildren<QTabWidget*>()) {
            if (pages->isVisible() && pages->count() > 0) {
                pageControls.append(pages);
            }
        }
        if (pageControls.isEmpty()) {
            return QStringLiteral("no page control to change");
        }
        QTabWidget* pages = pageControls[static_cast<qsizetype>(Next(pageControls.size()))];
        const int index = static_cast<int>(Next(static_cast<std::size_t>(pages->count())));
        VarnexTest::ClickPage(*pages, *pages->widget(index));
        return QStringLiteral("page %1 of %2").arg(index).arg(Describe(pages));
    }

    // Clicks an element of the chain and asks for its properties with Enter.
    QString OpenProperties() {
        const QList<TNetworkButton*> chain = m_form->LatencyCalculator()->NetworkList();
        TNetworkButton* element = chain[static_cast<qsizetype>(Next(chain.size()))];
        if (!element->isVisible()) {
            return QStringLiteral("no element to show");
        }
        QTest::mouseClick(element, Qt::LeftButton);
        QTest::keyClick(element, Qt::Key_Return);
        return QStringLiteral("properties of %1").arg(Describe(element));
    }

    static QString Describe(const QWidget* widget) {
        QString name = widget->objectName();
        if (name.isEmpty()) {
            name = QString::fromLatin1(widget->metaObject()->className());
        }
        return widget->parentWidget() != nullptr && widget->objectName().isEmpty()
                   ? name + QStringLiteral(" in ") + Describe(widget->parentWidget())
                   : name;
    }

    TMainForm* m_form = nullptr;
    std::mt19937 m_random;
};

QString Dotted(std::uint32_t value) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(value >> 24)
        .arg(value >> 16 & 0xFF)
        .arg(value >> 8 & 0xFF)
        .arg(value & 0xFF);
}

// The subnet calculator's figures on its visible tab against a computation from the address,
// subnet bits and RFC 1878 state alone.
QString WrongSubnetFigure(const TQuadrelPanel& panel) {
    const TIPAddSubnet& subnet = panel.SubnetModel();
    const std::uint32_t a = subnet.Address();
    const unsigned first = a >> 24;
    const unsigned n = first < 128 ? 8 : first < 192 ? 16 : 24;
    const unsigned prefix = n + subnet.SubnetBits();
    const std::uint32_t fm = ~0u << (32 - prefix);
    const std::uint32_t sm = fm & ~(~0u << (32 - n));
    const long long subnets = 1LL << subnet.SubnetBits();
    QList<std::pair<const char*, QString>> expected;
    const QString tab = panel.findChild<QTabWidget*>(QStringLiteral("QuadrelPageControl"))
                            ->currentWidget()
                            ->objectName();
    if (tab == u"GeneralInfoTab") {
        expected = {
            {"MaxSubnetsPanel", QString::number(subnet.RFC1878() ? subnets : subnets - 2)},
            {"MaxHostsPanel", QString::number((1LL << (32 - prefix)) - 2)},
            {"DecClassMaskPanel", Dotted(~0u << (32 - n))},
            {"DecMaskPanel", Dotted(fm)},
        };
    } else if (tab == u"AddressInfoTab") {
        expected = {
            {"AddressRangePanel",
             Dotted((a & fm) + 1) + QStringLiteral("  -  ") + Dotted((a | ~fm) - 1)},
            {"SubnetMaskPanel", Dotted(sm)},
            {"SubnetIDPanel", Dotted(a & sm)},
            {"NetworkIDPanel", Dotted(a & fm)},
            {"HostIDPanel", Dotted(a & ~fm)},
        };
    }
    for (const auto& [name, text] : expected) {
        const QString shown = VarnexTest::Control<QLabel>(panel, QLatin1String(name))->text();
        if (shown != text) {
            return QStringLiteral("%1 shows \"%2\" for %3/%4, expected \"%5\"")
                .arg(QLatin1String(name), shown, Dotted(a))
                .arg(prefix)
                .arg(text);
        }
    }
    return {};
}

QString NameOf(const QWidget* widget) {
    return widget != nullptr ? widget->objectName() : QStringLiteral("none");
}

// The button Edit > Copy should click: the copy button of the visible calculator's page, or on
// the number conversion page that of the display the window's focus is in. Unknown while the
// menu bar or a popup borrows the keyboard: the focus then goes back where it came from.
std::optional<const QAbstractButton*> ExpectedCopyTarget(const TMainForm& form) {
    if (QApplication::activePopupWidget() != nullptr ||
        qobject_cast<const QMenuBar*>(form.focusWidget()) != nullptr) {
        return std::nullopt;
    }
    static const QHash<QString, QString> PageButtons = {
        {QStringLiteral("LookupTableTabSheet"), QStringLiteral("CopyLookupTableButton")},
        {QStringLiteral("SubnetHostTab"), QStringLiteral("CopySubnetHostButton")},
        {QStringLiteral("NetworkSetupTabSheet"), QStringLiteral("CopyNetworkSetupButton")},
        {QStringLiteral("LatencyStatsTabSheet"), QStringLiteral("CopyLatencyStatsButton")},
        {QStringLiteral("LatencyGraphsTabSheet"), QStringLiteral("CopyLatencyGraphsButton")},
    };
    for (const char* name : VarnexTest::CalculatorPanels) {
        // Looked up, not asked for: asking would build a calculator the user never chose.
        auto* calculator =
            dynamic_cast<ICalculator*>(form.findChild<QWidget*>(QLatin1String(name)));
        if (calculator == nullptr || !calculator->Panel()->isVisible()) {
            continue;
        }
        const QWidget* page = calculator->PageControl()->currentWidget();
        if (PageButtons.contains(page->objectName())) {
            return VarnexTest::Control<QAbstractButton>(form, PageButtons[page->objectName()]);
        }
        const QWidget* focused = form.focusWidget();
        if (page->objectName() == u"ConversionTabSheet" && focused != nullptr &&
            focused->objectName().endsWith(u"Memo") && page->isAncestorOf(focused)) {
            QString button = focused->objectName();
            button.replace(QStringLiteral("Memo"), QStringLiteral("ClipboardButton"));
            return VarnexTest::Control<QAbstractButton>(form, button);
        }
    }
    return nullptr;
}

// The first rule the window breaks, or an empty text.
QString BrokenRule(TMainForm& form) {
    if (form.isVisible()) {
        int shown = 0;
        for (std::size_t i = 0; i < std::size(VarnexTest::CalculatorPanels); ++i) {
            const auto* panel =
                form.findChild<QWidget*>(QLatin1String(VarnexTest::CalculatorPanels[i]));
            const bool visible = panel != nullptr && panel->isVisible();
            const bool checked =
                VarnexTest::Control<QAction>(form, QLatin1String(CalculatorItems[i]))->isChecked();
            if (visible != checked) {
                return QStringLiteral("%1 is %2 but its menu item is %3")
                    .arg(QLatin1String(VarnexTest::CalculatorPanels[i]),
                         visible ? u"shown" : u"hidden", checked ? u"checked" : u"unchecked");
            }
            shown += visible ? 1 : 0;
        }
        if (shown != 1) {
            return QStringLiteral("%1 calculators are shown").arg(shown);
        }
        // Edit > Copy is enabled exactly while the visible page or the focused display has a
        // copy button, and then copies from that one.
        const std::optional<const QAbstractButton*> expected = ExpectedCopyTarget(form);
        const QAbstractButton* target = form.ActiveCopyButton();
        const bool enabled =
            VarnexTest::Control<QAction>(form, QStringLiteral("CopyMenuItem"))->isEnabled();
        if (expected && (enabled != (*expected != nullptr) || (enabled && target != *expected))) {
            return QStringLiteral("Edit > Copy is %1 with the target %2, expected %3 (focus: %4)")
                .arg(enabled ? u"enabled" : u"disabled", NameOf(target), NameOf(*expected),
                     NameOf(form.focusWidget()));
        }
        if (form.SubnetCalculator()->isVisible()) {
            const QString wrong = WrongSubnetFigure(*form.SubnetCalculator());
            if (!wrong.isEmpty()) {
                return wrong;
            }
        }
    }
    const QList<TNetworkButton*> chain = form.LatencyCalculator()->NetworkList();
    if (chain.size() < 3 || chain.size() > 16) {
        return QStringLiteral("the chain has %1 elements").arg(chain.size());
    }
    if (chain.front()->objectName() != u"DesktopNetworkButton" ||
        chain.back()->objectName() != u"TowerNetworkButton") {
        return QStringLiteral("the chain runs from %1 to %2")
            .arg(chain.front()->objectName(), chain.back()->objectName());
    }
    for (const TNetworkButton* network : chain.mid(1, chain.size() - 2)) {
        if (IsNode(network->NetworkButtonKind())) {
            return QStringLiteral("a node between the ends of the chain");
        }
    }
    for (const QString& error : VarnexTest::Errors()) {
        if (!AllowedError.match(error).hasMatch()) {
            return QStringLiteral("error box \"%1\"").arg(error);
        }
    }
    return {};
}

} // namespace

class TestRandomUser : public QObject {
    Q_OBJECT

private slots:
    void randomUser_data() {
        QTest::addColumn<quint32>("seed");
        const QList<quint32> seeds =
            chosenSeeds.isEmpty() ? QList<quint32>{20261208u, 17u} : chosenSeeds;
        for (quint32 seed : seeds) {
            QTest::addRow("seed %u", seed) << seed;
        }
    }

    void randomUser() {
        QFETCH(quint32, seed);
        VarnexTest::ResetRecorders();
        int openedUrls = 0;
        auto start = [&openedUrls] {
            auto form = std::make_unique<TMainForm>();
            form->SetUrlOpener([&openedUrls](const QUrl&) { return ++openedUrls > 0; });
            return form;
        };
        std::unique_ptr<TMainForm> form = start();
        QVERIFY(VarnexTest::ShowActive(*form));
        TRandomUser user(seed);
        QStringList recent;
        int closes = 0;
        for (int index = 0; index < eventsPerSeed; ++index) {
            recent.append(QString::number(index) + QStringLiteral(": ") + user.Act(*form));
            // Exit ends the program and the user starts it again; every other time the closed
            // window is shown again instead, as a window may be.
            if (!form->isVisible()) {
                if (++closes % 2 == 0) {
                    form = start();
                    recent.append(QStringLiteral("the program started again"));
                } else {
                    recent.append(QStringLiteral("the window shown again"));
                }
                QVERIFY(VarnexTest::ShowActive(*form));
            }
            while (recent.size() > 8) {
                recent.removeFirst();
            }
            const QString broken = BrokenRule(*form);
            if (!broken.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3\nlast events:\n  %4")
                                     .arg(seed)
                                     .arg(index)
                                     .arg(broken, recent.join(u"\n  "))));
            }
            VarnexTest::Errors().clear();
        }
    }
};

int main(int argc, char** argv) {
    // Takes this program's own options out before Qt Test reads the rest.
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const QByteArray option(argv[i]);
        if ((option == "-events" || option == "-seed") && i + 1 < argc) {
            bool ok = false;
            const quint32 value = QByteArray(argv[++i]).toUInt(&ok);
            if (!ok) {
                qFatal("%s needs a number", option.constData());
            }
            if (option == "-events") {
                eventsPerSeed = static_cast<int>(value);
            } else {
                chosenSeeds.append(value);
            }
        } else {
            rest.push_back(argv[i]);
        }
    }
    VarnexTest::UseOffscreenUnlessSet();
    int restCount = static_cast<int>(rest.size());
    VarnexApplication app(restCount, rest.data());
    TestRandomUser test;
    return VarnexTest::Run(test, restCount, rest.data());
}

#include "tst_RandomUser.moc"
