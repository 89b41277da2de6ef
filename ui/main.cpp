#include "Keys.h"
#include "MainFrm.h"
#include "QuitSignals.h"
#include "StartupHelper.h"

#include <QApplication>
#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// --help fits a terminal of 80 columns.
constexpr int HelpWidth = 80;

constexpr const char *Rules
    = "Two players take turns dropping a ball into one of seven columns; it falls to the lowest free cell. "
      "When a move completes four balls of the mover's in a line, upright, across or diagonal, the mover scores "
      "a point. Each column, row and diagonal scores only once per game, for the first four made on it. Play "
      "does not stop at the first four: it goes on until all 42 cells are full, and the higher score wins.";

// Qt's own options that this game honours. Qt takes them out of the command line itself, as it starts.
struct DisplayOption {
    const char *name;
    const char *value;
    const char *description; // nullptr: accepted, never shown
};
constexpr std::array<DisplayOption, 3> DisplayOptions{{
    {"platform", "name", "show the game through Qt's platform <name>: xcb (X11), wayland..."},
    {"display", "display", "the X display to show the game on, rather than $DISPLAY"},
    {"session", "id", nullptr}, // a session manager restarting the game
}};

// The game's command line. --help-all also shows the display options.
struct CommandLine {
    explicit CommandLine(bool showDisplayOptions)
    {
        // Qt's options are spelt with one dash, -platform, as well as with two.
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.setApplicationDescription(QStringLiteral("Four in a row for two players, or one against the computer."));
        parser.addOptions({help, helpAll, version});
        for (const DisplayOption &option : DisplayOptions) {
            QCommandLineOption qt(QString::fromLatin1(option.name), QString::fromLatin1(option.description),
                                  QString::fromLatin1(option.value));
            if (!showDisplayOptions || !option.description)
                qt.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(qt);
        }
    }
    QString value(const DisplayOption &option) const { return parser.value(QString::fromLatin1(option.name)); }

    QCommandLineParser parser;
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("show this help")};
    const QCommandLineOption helpAll{QStringLiteral("help-all"),
                                     QStringLiteral("show this help and the options that choose the display")};
    const QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("show the game's version")};
};

// Adds text to line word by word, starting a new line, indented by indent blanks, where it would pass the
// width.
QString wrapped(QString line, const QString &text, int indent)
{
    QString out;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (line.size() > indent) {
            if (line.size() + 1 + word.size() > HelpWidth) {
                out += line + QLatin1Char('\n');
                line = QString(indent, QLatin1Char(' '));
            } else {
                line += QLatin1Char(' ');
            }
        }
        line += word;
    }
    return out + line + QLatin1Char('\n');
}

// The rules, then the mouse and the keys in two columns, as the help window shows them.
QString playingHelp()
{
    QString text = QStringLiteral("\nHow to play:\n") + wrapped(QStringLiteral("  "), QString::fromLatin1(Rules), 2);
    const QStringList lines = vorni::keysText().split(QLatin1Char('\n'));
    qsizetype width = 0;
    for (const QString &line : lines)
        width = std::max(width, line.indexOf(QLatin1Char('\t')));
    bool heading = true;
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (line.isEmpty())
            heading = true;
        else if (std::exchange(heading, false))
            text += QLatin1Char('\n') + line + QLatin1Char('\n');
        else if (tab < 0)
            text += wrapped(QStringLiteral("  "), line, 2);
        else
            text += wrapped(QStringLiteral("  %1  ").arg(line.left(tab), -int(width)), line.mid(tab + 1),
                            int(width) + 4);
    }
    return text;
}

[[noreturn]] void refuse(const QString &problem)
{
    std::fprintf(stderr, "vorni-game: %s\nTry 'vorni-game --help'.\n", qPrintable(problem));
    std::exit(1);
}

// What could not be opened, in the terms the user named it: the platform, the X display or the Wayland one.
QString startFailure(const CommandLine &commandLine)
{
    QString platform = commandLine.value(DisplayOptions[0]);
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    // "wayland;xcb" tries both in turn; "xcb:option" passes an option on.
    const QStringList tried = platform.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const auto named = [&tried](const QString &name) {
        return tried.isEmpty() || std::any_of(tried.begin(), tried.end(), [&name](const QString &p) {
                   return p.section(QLatin1Char(':'), 0, 0).startsWith(name);
               });
    };
    if (!named(QStringLiteral("xcb")) && !named(QStringLiteral("wayland")))
        return QStringLiteral("cannot start the platform '%1'").arg(platform);

    QStringList displays;
    QString x = commandLine.value(DisplayOptions[1]);
    if (x.isEmpty())
        x = qEnvironmentVariable("DISPLAY");
    if (named(QStringLiteral("xcb")) && !x.isEmpty())
        displays << QStringLiteral("display '%1'").arg(x);
    // Qt's Wayland platform, named, opens wayland-0 when no display is set.
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (named(QStringLiteral("wayland")) && (!wayland.isEmpty() || !tried.isEmpty()))
        displays
            << QStringLiteral("Wayland display '%1'").arg(wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland);
    if (displays.isEmpty())
        return QStringLiteral("no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set");
    return QStringLiteral("cannot open ") + displays.join(QStringLiteral(" or "));
}

// While the application object is made, Qt's messages wait here. A platform that cannot start is fatal to
// Qt, which would abort with its own advice: the game says what it could not open in one line and exits with
// status 1. Once started, the messages that waited are passed on as they came.
struct StartMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
std::vector<StartMessage> startMessages;
QString failedStart;

void holdStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "vorni-game: %s\n", qPrintable(failedStart));
        // Nothing has been saved or started that needs an ending; Qt is half made.
        std::_Exit(1);
    }
    startMessages.push_back({type, context.category ? context.category : "default", text});
}

void passOnStartMessages(QtMessageHandler handler)
{
    for (const StartMessage &message : startMessages)
        handler(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category.constData()), message.text);
    startMessages.clear();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Vorni Game"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNI_VERSION));

    // The whole command line is checked before anything is started, so that --help and --version answer
    // and a mistake is told without a display.
    CommandLine commandLine(false);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser &parser = commandLine.parser;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        QString problem
            = unknown.isEmpty() ? parser.errorText() : QStringLiteral("unknown option '%1'").arg(unknown.constFirst());
        if (problem.endsWith(QLatin1Char('.')))
            problem.chop(1);
        refuse(problem.left(1).toLower() + problem.mid(1));
    }
    if (parser.isSet(commandLine.help) || parser.isSet(commandLine.helpAll)) {
        const QCoreApplication app(argc, argv); // the usage line names the program as it was started
        const CommandLine shown(parser.isSet(commandLine.helpAll));
        std::fputs(qPrintable(shown.parser.helpText() + playingHelp()), stdout);
        return 0;
    }
    if (parser.isSet(commandLine.version)) {
        std::printf("Vorni Game %s\n", VORNI_VERSION);
        return 0;
    }
    if (!parser.positionalArguments().isEmpty())
        refuse(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst()));

    // The title lights repaint a letter every 300 ms. Through shared memory each repaint would first wait
    // for the X server to finish reading the last one, waking the game twice more; sent with the request,
    // a letter costs nothing more. The first frame then reaches the screen a few milliseconds later, which
    // an idle game that wakes only for its timer is worth.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    failedStart = startFailure(commandLine);
    const QtMessageHandler messageHandler = qInstallMessageHandler(holdStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(messageHandler);
    passOnStartMessages(messageHandler);
    // The desktop matches the window to the game's desktop entry by this name (icon, grouping).
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNI_APP_ID));
    // Only once the command line is accepted and the display open: ended by exit() it would tear down the
    // font database and the bus under threads still using them.
    const vorni::StartupHelper startupHelper;

    vorni::UserSettingsStore settings;
    vorni::MainFrm window(settings);
    // Logout, Ctrl+C or a closed terminal closes the window as "Out" does.
    vorni::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &vorni::QuitSignals::quitRequested, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
