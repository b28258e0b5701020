#pragma once

#include <QByteArray>
#include <QString>

// The suite keeps its configuration in the Windows ANSI code page of Bulgarian
// Windows, 1251. These are that code page's own tables, so that every byte read
// from the file comes back as the same byte when its text is written unchanged.
namespace Cp1251 {

// One character per byte. The byte 0x98, which the code page leaves undefined,
// becomes U+0098 so that it survives a round trip.
QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);

// One byte per character; a character the code page cannot hold becomes "?",
// as the Windows conversion writes it.
QByteArray encode(const QString &text);

} // namespace Cp1251
