#include "VarnexApplication.h"

#include "ApplicationFont.h"
#include "Feedback.h"
#include "LazyIconStyle.h"

VarnexApplication::VarnexApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Varnex"));
    setOrganizationName(QStringLiteral("Korvex Group"));
    setApplicationVersion(QStringLiteral(VARNEX_VERSION));
    // The desktop entry and the icon carry this name; Wayland matches the window to them by it.
    setDesktopFileName(QStringLiteral(VARNEX_APP_ID));
    setFont(ApplicationFont());
    // The style chosen (by -style too) keeps its looks; it only reads icons when they are drawn.
    setStyle(new TLazyIconStyle(style()->name()));
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
