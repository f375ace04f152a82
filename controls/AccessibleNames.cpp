#include "AccessibleNames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <QTabWidget>

namespace {

const char* const CaptionProperty = "varnexCaptionLabel";

// A display label read as its caption and its value. Built when a screen reader first asks;
// QLabel itself reports each change of its text as a change of the name.
class TCaptionedDisplay : public QAccessibleWidget {
public:
    TCaptionedDisplay(QLabel* display, const QLabel* caption)
        : QAccessibleWidget(display, QAccessible::StaticText)
        , m_caption(caption) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name) {
            return QAccessibleWidget::text(kind);
        }
        const QString value = static_cast<const QLabel*>(widget())->text();
        if (m_caption == nullptr) {
            return value;
        }
        return AccessibleNames::CaptionText(m_caption->text()) + QStringLiteral(": ") + value;
    }

private:
    QPointer<const QLabel> m_caption;
};

QAccessibleInterface* CaptionedDisplayFactory(const QString& className, QObject* object) {
    auto* display = qobject_cast<QLabel*>(object);
    if (className != QLatin1String("QLabel") || display == nullptr) {
        return nullptr;
    }
    auto* caption =
        qobject_cast<const QLabel*>(display->property(CaptionProperty).value<QObject*>());
    return caption == nullptr ? nullptr : new TCaptionedDisplay(display, caption);
}

} // namespace

namespace AccessibleNames {

QString CaptionText(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" is a literal ampersand; a single one marks the accelerator.
        if (caption.at(i) == QLatin1Char('&') && ++i == caption.size()) {
            break;
        }
        text.append(caption.at(i));
    }
    return text.simplified();
}

void NameDisplay(QLabel* display, const QLabel* caption) {
    // Factories installed later are asked first, so this one comes before Qt's own.
    static const bool installed = (QAccessible::installFactory(CaptionedDisplayFactory), true);
    (void)installed;
    display->setProperty(CaptionProperty, QVariant::fromValue(const_cast<QLabel*>(caption)));
    // A screen reader may have asked already, while the form was being built: the interface it
    // got then, Qt's own, is dropped so that the next question gets the captioned one.
    QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(display);
    if (existing != nullptr && dynamic_cast<TCaptionedDisplay*>(existing) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    }
}

void NameAfterCaption(QWidget* control, const QLabel* caption) {
    control->setAccessibleName(CaptionText(caption->text()));
}

void NameFromHint(QWidget* control) {
    control->setAccessibleName(control->toolTip());
}

void NameAfterPage(QWidget* control, const QTabWidget* pageControl, const QWidget* page) {
    control->setAccessibleName(CaptionText(pageControl->tabText(pageControl->indexOf(page))));
}

void NameOctet(QWidget* edit, int octet) {
    edit->setAccessibleName(QStringLiteral("IP address, octet %1").arg(octet));
}

} // namespace AccessibleNames
