#include "VarnexApplication.h"

#include "Feedback.h"

#include <QFont>

namespace {

// The layout is fixed in pixels, so the font is fixed in pixels too: a compact sans-serif at 11.
// A family list rather than a look-up: asking the font database scans every font at start-up.
QFont ApplicationFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("sans-serif")});
    font.setPixelSize(11);
    return font;
}

} // namespace

VarnexApplication::VarnexApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Varnex"));
    setOrganizationName(QStringLiteral("Korvex Group"));
    setApplicationVersion(QStringLiteral(VARNEX_VERSION));
    // The desktop entry and the icon carry this name; Wayland matches the window to them by it.
    setDesktopFileName(QStringLiteral(VARNEX_APP_ID));
    setFont(ApplicationFont());
}

bool VarnexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Feedback::ReportError(Feedback::ErrorMessage(error));
    } catch (...) {
        Feedback::ReportError(QStringLiteral("Unknown error"));
    }
    return false;
}
