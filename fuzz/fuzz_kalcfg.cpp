// Arbitrary bytes as KalCfg.ini: the editor's load and save must survive them
// under the sanitizers; what the load gave the editor must come back from the
// saved file (each text as it was, or as the writer stores a text afresh); and a
// file the editor has written must be a fixed point: loading and saving it again
// writes the same bytes. A difference means that a save lost or changed something.

#include "config/ProfileFile.h"
#include "config/WholeConfig.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray loadAndSave(const QByteArray &bytes, WholeConfig *loaded = nullptr)
{
    const ErrorSink report = [](const QString &message) {
        // Nothing in an image in memory can fail; a report means something threw.
        std::fprintf(stderr, "unexpected failure report: %s\n", qPrintable(message));
        std::abort();
    };
    ProfileFile ini = ProfileFile::fromBytes(bytes);
    WholeConfig cfg;
    loadConfig(ini, cfg, report);
    saveConfig(ini, cfg, report);
    if (loaded)
        *loaded = cfg;
    return ini.content();
}

bool sameText(const QString &before, const QString &after)
{
    return after == before || after == ProfileFile::storedText(before);
}

// The entries and settings of the second load against those of the first.
const char *lostEntry(const WholeConfig &first, const WholeConfig &second)
{
    if (!sameText(first.defServer, second.defServer) || !sameText(first.defBasePath, second.defBasePath))
        return "a general setting";
    auto sameList = [](const MemoryEntryList &a, const MemoryEntryList &b) {
        if (a.count() != b.count())
            return false;
        for (int r = 0; r < a.count(); ++r)
            for (int f = 0; f < FieldCount; ++f)
                if (!sameText(a.text(r, f), b.text(r, f)))
                    return false;
        return true;
    };
    if (!sameList(first.system, second.system))
        return "the system list";
    for (qsizetype p = 0; p < first.pages.size(); ++p)
        if (first.switchedOn[p] != second.switchedOn[p] || !sameList(first.pages[p], second.pages[p]))
            return "a page";
    return nullptr;
}

void dump(const char *name, const QByteArray &bytes)
{
    std::fprintf(stderr, "%s (%lld bytes): %s\n", name, static_cast<long long>(bytes.size()),
                 bytes.toPercentEncoding(" =[];").constData());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    WholeConfig first, second;
    const QByteArray a = loadAndSave(input, &first);
    const QByteArray b = loadAndSave(a, &second);
    if (const char *what = lostEntry(first, second)) {
        std::fprintf(stderr, "%s read from the saved file differs from what the load gave\n", what);
        dump("input", input);
        dump("first save", a);
        std::abort();
    }
    if (a != b) {
        qsizetype at = 0;
        while (at < a.size() && at < b.size() && a[at] == b[at])
            ++at;
        std::fprintf(stderr, "a saved file does not load and save to the same bytes; first difference at byte %lld\n",
                     static_cast<long long>(at));
        dump("input", input);
        dump("first save", a);
        dump("second save", b);
        std::abort();
    }
    return 0;
}
