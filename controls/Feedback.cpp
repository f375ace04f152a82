#include "Feedback.h"

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

} // namespace

QString ErrorText(const QString& message) {
    return message.endsWith(QLatin1Char('.')) ? message : message + QLatin1Char('.');
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
        ReportPaintFault(where, QString::fromStdString(error.what()));
    } catch (...) {
        ReportPaintFault(where, QStringLiteral("Unknown error"));
    }
}

void ReportPaintFault(const char* where, const QString& what) {
    static QSet<QByteArray> reported;
    const QByteArray place(where);
    if (!reported.contains(place)) {
        reported.insert(place);
        qWarning("Painting %s failed: %s", where, qPrintable(what));
    }
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(QString::fromStdString(error.what()));
    }
}

} // namespace Feedback
