#pragma once

#include <array>

class QAction;
class QMenu;

// The cut and paste entries of an editable line edit's standard menu, in that order.
std::array<QAction*, 2> LineEditCutAndPasteActions(const QMenu& menu);
