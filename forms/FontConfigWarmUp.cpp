#include "FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

// FcInit may be called from any thread; when Qt calls it later, it finds the configuration read
// and returns.
TFontConfigWarmUp::TFontConfigWarmUp()
    : m_reader([] { FcInit(); }) {}

void TFontConfigWarmUp::Wait() {
    if (m_reader.joinable()) {
        m_reader.join();
    }
}
