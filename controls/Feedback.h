#pragma once

#include <QString>
#include <exception>
#include <functional>
#include <type_traits>

// The two ways the program answers the user outside its displays: the error box and the beep.
// Both can be replaced, so that tests record them instead of blocking on a modal box.
namespace Feedback {

using ErrorReporter = std::function<void(const QString& text)>;
using Beeper = std::function<void()>;

// The text as the error box shows it: a full stop is added when the message has none, and a NUL
// (typed text may hold one) shows as the symbol for it.
QString ErrorText(const QString& message);

// The message of a raised error, whole.
QString ErrorMessage(const std::exception& error);

void ReportError(const QString& message);
// An empty reporter restores the critical message box captioned "Varnex".
void SetErrorReporter(ErrorReporter reporter);

void Beep();
// An empty beeper restores the system's default beep.
void SetBeeper(Beeper beeper);

// Runs a handler and reports any error it raises, so that no exception crosses Qt's frames.
void RunGuarded(const std::function<void()>& handler);

// Runs paint code. An error box opened from a paint event would come back with every repaint,
// so an error raised while painting is a programming error: it is logged once for each place
// (`where`) as a warning, and the event loop goes on.
void RunPaintGuarded(const char* where, const std::function<void()>& paint);
// Logs a programming error found while painting, once for each place.
void ReportPaintFault(const char* where, const QString& what);

// Wraps a handler for connect(): the result takes the signal's arguments and passes them on
// when the handler accepts them.
template <typename Handler> auto Guard(Handler handler) {
    return [handler = std::move(handler)](auto&&... args) mutable {
        RunGuarded([&] {
            if constexpr (std::is_invocable_v<Handler&, decltype(args)...>) {
                std::invoke(handler, args...);
            } else {
                std::invoke(handler);
            }
        });
    };
}

} // namespace Feedback
