#include "Keys.h"
#include "MainFrm.h"
#include "QuitSignals.h"
#include "StartupHelper.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

namespace {

// Qt's own -platform option names a platform as QT_QPA_PLATFORM does.
bool platformNamed(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            return true;
    }
    return false;
}

// The keys as --help lists them, in two columns.
QString keysForHelp()
{
    QString text = QStringLiteral("\nKeys:\n");
    for (const QString &line : vorni::keysText().split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList columns = line.split(QLatin1Char('\t'));
        text += QStringLiteral("  %1%2\n").arg(columns.value(0), -22).arg(columns.value(1));
    }
    return text;
}

bool displayGiven(int argc, char **argv)
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || platformNamed(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Vorni Game"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORNI_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Vorni Game: four in a row for two players, or one against the computer.\n"
                       "Every line of four that a move completes scores, each column, row and diagonal once.\n")
        + keysForHelp());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();

    // --help and --version answer without a display. Qt's own options (-platform, -display...) are
    // taken out by the application further down, before the command line is checked in full.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")) || parser.isSet(version)) {
        QCoreApplication app(argc, argv);
        parser.process(app); // prints and exits with status 0
    }

    if (!displayGiven(argc, argv)) {
        std::fprintf(stderr,
                     "vorni-game: no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set\n");
        return 1;
    }

    // The title lights repaint a letter every 300 ms. Through shared memory each repaint would first wait
    // for the X server to finish reading the last one, waking the game twice more; sent with the request,
    // a letter costs nothing more. The first frame then reaches the screen a few milliseconds later, which
    // an idle game that wakes only for its timer is worth.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // The desktop matches the window to the game's desktop entry by this name (icon, grouping).
    QGuiApplication::setDesktopFileName(QStringLiteral(VORNI_APP_ID));
    parser.process(app); // exits on an option it does not know
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "vorni-game: unexpected argument '%s'\nTry 'vorni-game --help'.\n",
                     qPrintable(parser.positionalArguments().constFirst()));
        return 1;
    }
    // Only once the command line is accepted: the check above may end the program by exit(), which would
    // tear down the font database and the bus under threads still using them.
    const vorni::StartupHelper startupHelper;

    vorni::UserSettingsStore settings;
    vorni::MainFrm window(settings);
    // Logout, Ctrl+C or a closed terminal closes the window as "Out" does.
    vorni::QuitSignals quitSignals;
    QObject::connect(&quitSignals, &vorni::QuitSignals::quitRequested, &window, &QWidget::close);
    window.show();
    return QApplication::exec();
}
