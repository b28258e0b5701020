// eKalCfg: the editor of KalCfg.ini, the configuration shared by the Калвор suite.
#include "ui/ekMain.h"

#include <QApplication>
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

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "eKalCfg: no display found (DISPLAY is not set); "
                             "start it with a display, or under a virtual one: xvfb-run -a ./eKalCfg\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("eKalCfg"));
    QApplication::setApplicationDisplayName(QStringLiteral("eKalCfg"));

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
