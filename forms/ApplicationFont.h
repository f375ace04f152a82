#pragma once

#include <QFont>
#include <QStringList>

// The layout is fixed in pixels, so the font is fixed in pixels too: a compact sans-serif at 11.
// A family list rather than a look-up: asking the font database scans every font at start-up.
inline QFont ApplicationFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("sans-serif")});
    font.setPixelSize(11);
    return font;
}
