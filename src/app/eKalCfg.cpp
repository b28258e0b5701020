// eKalCfg: the editor of KalCfg.ini, the configuration shared by the Калвор suite.
#include "config/KalCfg.h"
#include "ui/ekMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt aborts with a long message; say what is wrong instead.
bool displayAvailable()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
#else
    return true;
#endif
}

constexpr int kStartWindow = -1;

// Reads eKalCfg [FILE | DIR] and answers --help and --version. A core application,
// gone before the window's own starts, needs no display and gives the arguments as
// the system holds them (wide characters on Windows). Returns the exit status when
// the program ends here.
int readCommandLine(int argc, char *argv[])
{
    QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Editor of KalCfg.ini, the configuration from which the Kalvor suite's programs learn their databases."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE|DIR"),
                                 QStringLiteral("The configuration file to edit, or a directory whose KalCfg.ini "
                                                "is edited. Without it, KalCfg.ini beside the program."),
                                 QStringLiteral("[FILE | DIR]"));
    if (!parser.parse(core.arguments())) {
        std::fprintf(stderr, "eKalCfg: %s See eKalCfg --help.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    const QStringList args = parser.positionalArguments();
    if (args.size() > 1) {
        std::fprintf(stderr, "eKalCfg: give one FILE or DIR, not %d. See eKalCfg --help.\n", int(args.size()));
        return 2;
    }
    if (args.size() == 1) {
        QString error;
        const QString file = cfgFileForArgument(args.first(), &error);
        if (file.isEmpty()) {
            std::fprintf(stderr, "eKalCfg: %s\n", qPrintable(error));
            return 2;
        }
        setCfgFileName(file);
    }
    return kStartWindow;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("eKalCfg"));
    QCoreApplication::setApplicationVersion(QStringLiteral(EKALCFG_VERSION));
    if (const int status = readCommandLine(argc, argv); status != kStartWindow)
        return status;

    if (!displayAvailable()) {
        std::fprintf(stderr, "eKalCfg: no display found (DISPLAY is not set); "
                             "start it with a display, or under a virtual one: xvfb-run -a ./eKalCfg\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("eKalCfg"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/eKalCfg.png")));

    // The standard boxes speak Bulgarian, as the rest of the window does.
    QTranslator qtBulgarian;
    if (qtBulgarian.load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtBulgarian);

    TfrmeKMain frmeKMain;
    frmeKMain.FormCreate();
    frmeKMain.show();
    return app.exec();
}
