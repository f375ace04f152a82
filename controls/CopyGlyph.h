#pragma once

class QAbstractButton;

// Gives a copy button the copy glyph, normal and disabled. All copy buttons share one icon: each
// icon loaded from the resources parses its pictures again, which start-up pays for.
void UseCopyGlyph(QAbstractButton* button);
