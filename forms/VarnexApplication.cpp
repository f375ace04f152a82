#include "VarnexApplication.h"

#include "ApplicationFont.h"
#include "Feedback.h"
#include "PluginFreeStyle.h"

VarnexApplication::VarnexApplication(int& argc, char** argv)
    : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Varnex"));
    setOrganizationName(QStringLiteral("Korvex Group"));
    setApplicationVersion(QStringLiteral(VARNEX_VERSION));
    // The desktop entry and the icon carry this name; Wayland matches the window to them by it.
    setDesktopFileName(QStringLiteral(VARNEX_APP_ID));
    setFont(ApplicationFont());
    // The style chosen (by -style too) keeps its looks, drawn without reading image files at start.
    setStyle(new TPluginFreeStyle(style()->name()));
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
