#include "CopyGlyph.h"

#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QIcon>

void UseCopyGlyph(QAbstractButton* button) {
    static const QIcon glyph = [] {
        QIcon icon;
        icon.addFile(QStringLiteral(":/COPYGLYPH.svg"), {}, QIcon::Normal);
        icon.addFile(QStringLiteral(":/COPYGLYPHDISABLED.svg"), {}, QIcon::Disabled);
        return icon;
    }();
    button->setIcon(glyph);
    AccessibleNames::NameFromHint(button);
}
