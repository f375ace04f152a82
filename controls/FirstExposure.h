#pragma once

#include <functional>

class QWidget;

// Runs the action once, after the window has first been drawn on the screen (the event loop
// draws it while handling its first exposure): for work its appearance need not wait for.
// The window must have been shown.
void RunAfterFirstExposure(QWidget& window, std::function<void()> action);
