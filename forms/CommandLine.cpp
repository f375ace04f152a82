#include "CommandLine.h"

#include <QCommandLineParser>

namespace {

// The options the application object interprets itself; a session manager restarting the
// program passes -session, a user may pick the platform or the style.
const QStringList ToolkitValueOptions = {
    QStringLiteral("platform"),       QStringLiteral("platformtheme"), QStringLiteral("style"),
    QStringLiteral("stylesheet"),     QStringLiteral("session"),       QStringLiteral("display"),
    QStringLiteral("qwindowgeometry")};
const QStringList ToolkitFlagOptions = {QStringLiteral("reverse")};

} // namespace

TCommandLine TCommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    // Qt's own options are single-dash words: -platform must not read as -p -l -a ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A calculator for network engineers: number bases, IPv4 subnets and "
                       "supernets, and the latency of a chain of networks."));
    const QCommandLineOption versionOption(
        {QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("Prints the program's name and version, then exits."));
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Prints this usage, then exits."));
    parser.addOption(versionOption);
    parser.addOption(helpOption);
    for (const QString& name : ToolkitValueOptions) {
        QCommandLineOption option(name, QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const QString& name : ToolkitFlagOptions) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    TCommandLine result;
    const QString program = QStringLiteral("varnex");
    if (!parser.parse(arguments)) {
        result.Action = TAction::Refuse;
        result.Text = QStringLiteral("%1: %2\nTry '%1 --help' for the usage.\n")
                          .arg(program, parser.errorText());
    } else if (!parser.positionalArguments().isEmpty()) {
        result.Action = TAction::Refuse;
        result.Text = QStringLiteral("%1: unexpected argument '%2'; Varnex takes no file or "
                                     "other argument.\nTry '%1 --help' for the usage.\n")
                          .arg(program, parser.positionalArguments().constFirst());
    } else if (parser.isSet(helpOption)) {
        result.Action = TAction::ShowHelp;
        result.Text = QStringLiteral("Usage: %1 [options]\n%2\n\nOptions:\n"
                                     "  -h, --help     %3\n"
                                     "  -v, --version  %4\n\n"
                                     "Without options the calculator window opens. Qt's own "
                                     "options such as -platform and -style are passed on.\n")
                          .arg(program, parser.applicationDescription(), helpOption.description(),
                               versionOption.description());
    } else if (parser.isSet(versionOption)) {
        result.Action = TAction::ShowVersion;
        result.Text = QStringLiteral("Varnex " VARNEX_VERSION "\n");
    }
    return result;
}
