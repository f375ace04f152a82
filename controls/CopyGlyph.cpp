#include "CopyGlyph.h"

#include "AccessibleNames.h"
#include "PrerenderedPictures.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>

namespace {

// The glyph at the pixel ratios 1, 1.5 and 2, normal and disabled, from the pixels the build
// rendered; other ratios scale the nearest. Read as files, the pictures would load an icon
// plugin and parse the vectors at every start.
QIcon CopyGlyphIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32}) {
        const QString size = QString::number(side);
        const QImage normal = PrerenderedPictures::Picture(QStringLiteral("COPYGLYPH") + size);
        const QImage disabled =
            PrerenderedPictures::Picture(QStringLiteral("COPYGLYPHDISABLED") + size);
        if (normal.isNull() || disabled.isNull()) {
            // Without the pixels, from the vectors.
            QIcon vectors;
            vectors.addFile(QStringLiteral(":/COPYGLYPH.svg"), {}, QIcon::Normal);
            vectors.addFile(QStringLiteral(":/COPYGLYPHDISABLED.svg"), {}, QIcon::Disabled);
            return vectors;
        }
        icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(disabled), QIcon::Disabled);
    }
    return icon;
}

} // namespace

void UseCopyGlyph(QAbstractButton* button) {
    static const QIcon glyph = CopyGlyphIcon();
    button->setIcon(glyph);
    AccessibleNames::NameFromHint(button);
}
