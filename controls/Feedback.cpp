#include "Feedback.h"

#include "VarnexError.h"

#include <QApplication>
#include <QMessageBox>
#include <QSet>

namespace Feedback {
namespace {

const QString ApplicationTitle = QStringLiteral("Varnex");

void ShowErrorBox(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), ApplicationTitle, text);
}

ErrorReporter& CurrentReporter() {
    static ErrorReporter reporter = ShowErrorBox;
    return reporter;
}

Beeper& CurrentBeeper() {
    static Beeper beeper = [] { QApplication::beep(); };
    return beeper;
}

// A NUL would end the text where it is passed on as a C string, and shows as nothing.
QString WithVisibleNul(QString text) {
    return text.replace(QChar(0), QChar(0x2400));
}

} // namespace

QString ErrorText(const QString& message) {
    const QString shown = WithVisibleNul(message);
    return shown.endsWith(QLatin1Char('.')) ? shown : shown + QLatin1Char('.');
}

QString ErrorMessage(const std::exception& error) {
    if (const auto* varnexError = dynamic_cast<const EVarnexError*>(&error)) {
        return QString::fromStdString(varnexError->Message());
    }
    return QString::fromStdString(error.what());
}

void ReportError(const QString& message) {
    CurrentReporter()(ErrorText(message));
}

void SetErrorReporter(ErrorReporter reporter) {
    CurrentReporter() = reporter ? std::move(reporter) : ErrorReporter(ShowErrorBox);
}

void Beep() {
    CurrentBeeper()();
}

void SetBeeper(Beeper beeper) {
    CurrentBeeper() = beeper ? std::move(beeper) : Beeper([] { QApplication::beep(); });
}

void RunPaintGuarded(const char* where, const std::function<void()>& paint) {
    try {
        paint();
    } catch (const std::exception& error) {
        ReportPaintFault(where, ErrorMessage(error));
    } catch (...) {
        ReportPaintFault(where, QStringLiteral("Unknown error"));
    }
}

void ReportPaintFault(const char* where, const QString& what) {
    static QSet<QByteArray> reported;
    const QByteArray place(where);
    if (!reported.contains(place)) {
        reported.insert(place);
        qWarning("Painting %s failed: %s", where, qPrintable(WithVisibleNul(what)));
    }
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(ErrorMessage(error));
    }
}

} // namespace Feedback
