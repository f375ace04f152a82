#pragma once

#include <QString>
#include <QStringList>

// What the program's arguments ask for. Parsed before the application object exists, so that
// --version and --help answer without a windowing system.
struct TCommandLine {
    enum class TAction { Run, ShowVersion, ShowHelp, Refuse };

    TAction Action = TAction::Run;
    // The text to print: the version or usage on standard output, the refusal on standard error.
    QString Text;

    // Exit status of a refused command line, as for a usage error.
    static constexpr int UsageError = 2;

    // The arguments as the program received them, the program path first. Qt's own options
    // (-platform, -style, -session, ...) are accepted and left to the application object.
    static TCommandLine Parse(const QStringList& arguments);
};
