// Arbitrary bytes as KalCfg.ini: the editor's load and save must survive them
// under the sanitizers, and a file the editor has written must be a fixed point:
// loading and saving it again writes the same bytes. A difference means that a
// save lost or changed something the previous load gave the editor.

#include "config/ProfileFile.h"
#include "config/WholeConfig.h"

#include <QByteArray>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray loadAndSave(const QByteArray &bytes)
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
    return ini.content();
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
    const QByteArray a = loadAndSave(input);
    const QByteArray b = loadAndSave(a);
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
