#pragma once

class QTabWidget;

// Gives a page control's tabs the narrow side padding the calculators' fixed layout is drawn
// for, so that all their tabs fit across a calculator's width without scroll buttons.
void UseCompactTabs(QTabWidget* pageControl);
