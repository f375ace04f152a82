#pragma once

class QAbstractButton;

// Gives a copy button the copy glyph, normal and disabled, and, as it shows no caption, its hint
// as the name a screen reader announces. All copy buttons share one icon: each icon loaded from
// the resources parses its pictures again, which start-up pays for.
void UseCopyGlyph(QAbstractButton* button);
