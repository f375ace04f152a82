#pragma once

// A few controls rely on how Qt builds its own widgets beyond the documented interface (the
// table view's corner button, a connection a header makes, the order of the line edit's menu).
// Each assumption is checked where it is relied on; a Qt that breaks one stops the program with
// a message naming it, rather than letting the control misbehave quietly.
void CheckQtAssumption(bool holds, const char* assumption);
