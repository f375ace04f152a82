#include "QtAssumptions.h"

#include <QtGlobal>

void CheckQtAssumption(bool holds, const char* assumption) {
    if (!holds) {
        qFatal("This Qt (%s) no longer holds what Varnex relies on: %s", qVersion(), assumption);
    }
}
