#include "config/Cp1251.h"

#include <array>

namespace {

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F, 0x00..0x7F are ASCII.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

struct Tables {
    std::array<char16_t, 256> toUnicode{};
    std::array<unsigned char, 0x10000> fromUnicode{}; // 0 means "not in the code page"

    Tables()
    {
        for (int b = 0; b < 256; ++b) {
            char16_t u;
            if (b < 0x80)
                u = char16_t(b);
            else if (b < 0xC0)
                u = kHigh[b - 0x80];
            else
                u = char16_t(0x0410 + (b - 0xC0));
            toUnicode[b] = u;
            if (b != 0)
                fromUnicode[u] = static_cast<unsigned char>(b);
        }
    }
};

const Tables &tables()
{
    static const Tables t;
    return t;
}

} // namespace

namespace Cp1251 {

QString decode(const char *data, qsizetype size)
{
    const auto &t = tables().toUnicode;
    QString out(size, Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < size; ++i)
        dst[i] = QChar(t[static_cast<unsigned char>(data[i])]);
    return out;
}

QString decode(const QByteArray &bytes)
{
    return decode(bytes.constData(), bytes.size());
}

QByteArray encode(const QString &text)
{
    const auto &t = tables().fromUnicode;
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char *dst = out.data();
    const QChar *src = text.constData();
    qsizetype j = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = src[i].unicode();
        if (u == 0) {
            dst[j++] = '\0';
        } else if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1].unicode())) {
            dst[j++] = '?'; // one code point, one "?"
            ++i;
        } else {
            const unsigned char b = t[u];
            dst[j++] = b ? char(b) : '?';
        }
    }
    out.truncate(j);
    return out;
}

} // namespace Cp1251
