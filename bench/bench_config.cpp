// Times loading and saving a whole KalCfg.ini of realistic size and checks the
// budget: load and save each under 100 ms at 18,000 entries (1,000 in the system
// list and in each of the 17 pages), peak memory under 64 MB there, and twice the
// entries in at most 2.2 times the time.
// Exit code 0 when every budget is met, 1 when one is missed, 2 on a fault.
// With --once it does a single load and save of the 18,000 entries, for a profiler
// (valgrind --tool=callgrind bench_config --once).

#include "BenchFile.h"

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
#include <cstdlib>
#include <limits>
#include <memory>

using namespace BenchFile;

namespace {

int kRuns = 15; // 1 with --once
constexpr double kTimeBudgetMs = 100.0;
constexpr double kMemoryBudgetMb = 64.0;
constexpr double kScaleBudget = 2.2;

[[noreturn]] void fault(const char *what) { stop("bench_config", what); }

double peakRssMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0; // kilobytes on Linux
}

bool holdsMadeEntries(const WholeConfig &cfg, int perSection)
{
    if (cfg.defServer != kServer || cfg.defBasePath != kBasePath)
        return false;
    const QList<ListDef> defs = lists();
    for (int l = 0; l < defs.size(); ++l) {
        const MemoryEntryList &list = l == 0 ? cfg.system : cfg.pages[l - 1];
        if (list.count() != perSection || (l > 0 && !cfg.switchedOn[l - 1]))
            return false;
        for (int row = 0; row < perSection; ++row) {
            if (!list.isChecked(row))
                return false;
            for (int f = 0; f < FieldCount; ++f)
                if (list.text(row, f) != entryText(defs[l].prefix, defs[l].system, row + 1, f))
                    return false;
        }
    }
    return true;
}

const ErrorSink &report()
{
    static const ErrorSink sink = [](const QString &message) {
        std::fprintf(stderr, "bench_config: reported: %s\n", qPrintable(message));
        fault("a section reader or writer reported a failure");
    };
    return sink;
}

// One size under test: its file, and the configuration that the saves write.
struct Case
{
    int entries = 0;
    QString path;
    QByteArray saved;   // what a save of the loaded configuration writes
    WholeConfig loaded; // the last load's result
    double loadMs = std::numeric_limits<double>::max();
    double saveMs = std::numeric_limits<double>::max();

    Case(const QString &dir, int perSection)
        : entries(perSection * int(lists().size())),
          path(dir + QStringLiteral("/KalCfg-%1.ini").arg(perSection))
    {
        {
            QFile f(path);
            if (!f.open(QIODevice::WriteOnly) || f.write(makeFile(perSection)) < 0)
                fault("cannot write the configuration file");
        }
        // One untimed load and save; the configuration must come back whole and
        // a second save must not change the file, or the figures mean nothing.
        load();
        if (!holdsMadeEntries(loaded, perSection))
            fault("the loaded configuration differs from the one in the file");
        save();
        saved = readFile();
        load();
        save();
        if (readFile() != saved)
            fault("saving an unchanged configuration changed the file");
    }

    QByteArray readFile() const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            fault("cannot read the configuration file");
        return f.readAll();
    }

    // As the editor does it: a profile object made for the command, used, released.
    double load()
    {
        loaded = WholeConfig(); // releasing the previous lists is not part of a load
        QElapsedTimer t;
        t.start();
        {
            ProfileFile ini(path);
            loadConfig(ini, loaded, report());
        }
        return msSince(t);
    }

    double save()
    {
        QElapsedTimer t;
        t.start();
        {
            ProfileFile ini(path);
            saveConfig(ini, loaded, report());
            ini.commit();
        }
        return msSince(t);
    }

    void print(const char *name) const
    {
        std::printf("%-3s %6d entries, %8lld bytes: load %7.2f ms, save %7.2f ms (best of %d)\n", name, entries,
                    static_cast<long long>(saved.size()), loadMs, saveMs, kRuns);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        fault("cannot create a temporary directory");

    if (argc > 1 && qstrcmp(argv[1], "--once") == 0) {
        kRuns = 1;
        Case x1(dir.path(), 1000);
        x1.loadMs = x1.load();
        x1.saveMs = x1.save();
        x1.print("1x");
        return 0;
    }

    // The memory of the 18,000 entries alone, before the larger file exists.
    auto x1 = std::make_unique<Case>(dir.path(), 1000);
    const double peak1 = peakRssMb();
    auto x2 = std::make_unique<Case>(dir.path(), 2000);

    // The two sizes take turns, so that both meet the same state of the machine.
    for (int r = 0; r < kRuns; ++r) {
        for (Case *c : {x1.get(), x2.get()})
            c->loadMs = std::min(c->loadMs, c->load());
        for (Case *c : {x1.get(), x2.get()})
            c->saveMs = std::min(c->saveMs, c->save());
    }

    x1->print("1x");
    x2->print("2x");
    std::printf("peak memory: %.1f MB at 1x, %.1f MB with both sizes\n", peak1, peakRssMb());
    const double loadScale = x2->loadMs / x1->loadMs;
    const double saveScale = x2->saveMs / x1->saveMs;
    std::printf("scaling 2x/1x: load %.2f, save %.2f\n", loadScale, saveScale);

    bool ok = true;
    auto check = [&ok](bool met, const char *what) {
        std::printf("%s: %s\n", met ? "ok    " : "MISSED", what);
        ok = ok && met;
    };
    check(x1->loadMs < kTimeBudgetMs, "load under 100 ms at 18,000 entries");
    check(x1->saveMs < kTimeBudgetMs, "save under 100 ms at 18,000 entries");
    check(peak1 < kMemoryBudgetMb, "peak memory under 64 MB at 18,000 entries");
    check(loadScale <= kScaleBudget, "load of twice the entries at most 2.2 times the time");
    check(saveScale <= kScaleBudget, "save of twice the entries at most 2.2 times the time");
    return ok ? 0 : 1;
}
