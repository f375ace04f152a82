#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

// FcInit is safe to call from any thread; Qt's own call returns at once once the configuration
// is the current one.
TFontConfigWarmUp::TFontConfigWarmUp()
    : m_reader([] { FcInit(); }) {}

void TFontConfigWarmUp::Wait() {
    if (m_reader.joinable()) {
        m_reader.join();
    }
}
