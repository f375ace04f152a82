#pragma once

#include <thread>

// Reads the system's font configuration on a second thread. Reading it takes milliseconds, and
// the first window needs it for its first text: started before the application object connects
// to the display, it is ready by the time the window is built. Qt finds it read and goes on.
class TFontConfigWarmUp {
public:
    TFontConfigWarmUp();

    // Waits until the configuration is read; building a window while it is still being read
    // would read it a second time.
    void Wait();

private:
    std::jthread m_reader;
};
