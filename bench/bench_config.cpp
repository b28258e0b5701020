// Times loading and saving a whole KalCfg.ini of realistic size and checks the
// budget: load and save each under 100 ms at 18,000 entries, peak memory under
// 64 MB, and twice the entries in at most 2.2 times the time.
// Exit code 0 when every budget is met, 1 when one is missed, 2 on a fault.
// With --once it does a single load and save, for a profiler.

#include "config/Catalogue.h"
#include "config/Cp1251.h"
#include "config/KalCfg.h"
#include "config/ProfileFile.h"
#include "config/WholeConfig.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

namespace {

int kRuns = 7; // 1 with --once, for runs under a profiler
constexpr double kTimeBudgetMs = 100.0;
constexpr double kMemoryBudgetMb = 64.0;
constexpr double kScaleBudget = 2.2;

const QStringList kLabels = {
    QStringLiteral("Документи"), QStringLiteral("Имоти"), QStringLiteral("Лицензи"),
    QStringLiteral("Деловодство"), QStringLiteral("Жилищна картотека"), QStringLiteral("Етажна собственост"),
    QStringLiteral("Търговски обекти"), QStringLiteral("Каса"), QStringLiteral("Наеми"),
    QStringLiteral("Общинска собственост"), QStringLiteral("Архив"), QStringLiteral("Справки"),
};
const QStringList kTowns = {
    QStringLiteral("София"), QStringLiteral("Пловдив"), QStringLiteral("Варна"), QStringLiteral("Бургас"),
    QStringLiteral("Русе"), QStringLiteral("Стара Загора"), QStringLiteral("Плевен"), QStringLiteral("Сливен"),
    QStringLiteral("Добрич"), QStringLiteral("Шумен"), QStringLiteral("Перник"), QStringLiteral("Хасково"),
};

double peakRssMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

// A configuration with perSection entries in the system list and in every page.
WholeConfig makeConfig(int perSection)
{
    WholeConfig cfg;
    cfg.defServer = QStringLiteral("192.168.10.5");
    cfg.defBasePath = QStringLiteral("D:\\Kalvor\\Data\\");
    const QString sysRef = QStringLiteral("sys_db@srv1:D:\\Data\\sys.gdb");

    auto fill = [&](MemoryEntryList &list, const QString &prefix, bool system) {
        list.reserve(perSection);
        for (int i = 1; i <= perSection; ++i) {
            const int row = list.append();
            list.setChecked(row, true);
            const QString n = QString::number(i);
            list.setText(row, FieldName, prefix + n);
            list.setText(row, FieldLabel, (i % 2 ? kLabels[i % kLabels.size()] : kTowns[i % kTowns.size()]) + u' ' + n);
            // Every third entry is on the default server and leaves its server empty.
            list.setText(row, FieldServer, i % 3 == 0 ? QString() : QStringLiteral("srv%1").arg(i % 9 + 1));
            list.setText(row, FieldPath, QStringLiteral("D:\\Data\\%1%2.gdb").arg(prefix.toLower(), n));
            list.setText(row, FieldAccess, system ? kTowns[i % kTowns.size()] : sysRef);
        }
    };
    fill(cfg.system, QStringLiteral("sys"), true);
    const QList<Catalogue::PageDef> &pages = Catalogue::pages();
    for (int p = 0; p < pages.size(); ++p) {
        fill(cfg.pages[p], QLatin1String(pages[p].prefix), false);
        cfg.switchedOn[p] = true;
    }
    return cfg;
}

int entryCount(const WholeConfig &cfg)
{
    int n = cfg.system.count();
    for (const MemoryEntryList &l : cfg.pages)
        n += l.count();
    return n;
}

bool sameEntries(const MemoryEntryList &a, const MemoryEntryList &b)
{
    if (a.count() != b.count())
        return false;
    for (int r = 0; r < a.count(); ++r)
        if (a.rows()[r].checked != b.rows()[r].checked || a.rows()[r].texts != b.rows()[r].texts)
            return false;
    return true;
}

bool sameConfig(const WholeConfig &a, const WholeConfig &b)
{
    if (a.defServer != b.defServer || a.defBasePath != b.defBasePath || a.switchedOn != b.switchedOn
        || !sameEntries(a.system, b.system) || a.pages.size() != b.pages.size())
        return false;
    for (int p = 0; p < a.pages.size(); ++p)
        if (!sameEntries(a.pages[p], b.pages[p]))
            return false;
    return true;
}

// The shortest of kRuns timed runs; prepare runs untimed before each.
double bestOf(const std::function<void()> &prepare, const std::function<void()> &run)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        run();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

struct Figures
{
    int entries = 0;
    qint64 bytes = 0;
    double loadMs = 0;
    double saveMs = 0;
};

[[noreturn]] void fault(const char *what)
{
    std::fprintf(stderr, "bench_config: %s\n", what);
    std::exit(2);
}

Figures measure(const QString &dir, int perSection)
{
    const QString path = dir + QStringLiteral("/KalCfg-%1.ini").arg(perSection);
    int reports = 0;
    const ErrorSink report = [&reports](const QString &message) {
        ++reports;
        std::fprintf(stderr, "bench_config: reported: %s\n", qPrintable(message));
    };

    // The file as the editor writes it, with a hand-made section it must keep.
    const WholeConfig source = makeConfig(perSection);
    {
        ProfileFile ini = ProfileFile::fromBytes("[Common]\r\nLanguage=BG\r\n\r\n[Printers]\r\nDefault=HP LaserJet\r\n\r\n",
                                                 path);
        saveConfig(ini, source, report);
        ini.commit();
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fault("cannot read the generated file");
    const QByteArray original = f.readAll();
    f.close();

    Figures fig;
    fig.entries = entryCount(source);
    fig.bytes = original.size();

    // The configuration must come back whole, or the figures mean nothing.
    {
        ProfileFile ini(path);
        WholeConfig loaded;
        loadConfig(ini, loaded, report);
        if (!sameConfig(source, loaded))
            fault("the loaded configuration differs from the one written");
    }

    // Timed as the editor does it: a profile object made for the command, used and
    // released. Releasing the previous run's lists is not part of a load.
    WholeConfig loaded; // what the save writes: the last load's result
    fig.loadMs = bestOf([&] { loaded = WholeConfig(); },
                        [&] {
                            ProfileFile ini(path);
                            loadConfig(ini, loaded, report);
                        });
    fig.saveMs = bestOf([] {},
                        [&] {
                            ProfileFile ini(path);
                            saveConfig(ini, loaded, report);
                            ini.commit();
                        });

    if (!f.open(QIODevice::ReadOnly) || f.readAll() != original)
        fault("saving an unchanged configuration changed the file");
    if (reports)
        fault("a section reader or writer reported a failure");
    return fig;
}

void print(const char *name, const Figures &f)
{
    std::printf("%-3s %6d entries, %8lld bytes: load %7.2f ms, save %7.2f ms (best of %d)\n", name, f.entries,
                static_cast<long long>(f.bytes), f.loadMs, f.saveMs, kRuns);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        fault("cannot create a temporary directory");

    // --once: one load and one save of the 18,000 entries, no budget check
    // (valgrind --tool=callgrind bench_config --once).
    if (argc > 1 && qstrcmp(argv[1], "--once") == 0) {
        kRuns = 1;
        print("1x", measure(dir.path(), 1000));
        return 0;
    }

    const Figures x1 = measure(dir.path(), 1000);
    print("1x", x1);
    const double peak1 = peakRssMb();
    std::printf("peak memory after 1x: %.1f MB\n", peak1);

    const Figures x2 = measure(dir.path(), 2000);
    print("2x", x2);
    std::printf("peak memory after 2x: %.1f MB\n", peakRssMb());

    const double loadScale = x2.loadMs / x1.loadMs;
    const double saveScale = x2.saveMs / x1.saveMs;
    std::printf("scaling 2x/1x: load %.2f, save %.2f\n", loadScale, saveScale);

    bool ok = true;
    auto check = [&ok](bool met, const char *what) {
        std::printf("%s: %s\n", met ? "ok    " : "MISSED", what);
        ok = ok && met;
    };
    check(x1.loadMs < kTimeBudgetMs, "load under 100 ms at 18,000 entries");
    check(x1.saveMs < kTimeBudgetMs, "save under 100 ms at 18,000 entries");
    check(peak1 < kMemoryBudgetMb, "peak memory under 64 MB at 18,000 entries");
    check(loadScale <= kScaleBudget, "load of twice the entries at most 2.2 times the time");
    check(saveScale <= kScaleBudget, "save of twice the entries at most 2.2 times the time");
    return ok ? 0 : 1;
}
