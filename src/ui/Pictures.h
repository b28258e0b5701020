#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures of the window's picture buttons and of the dialogs' buttons,
// drawn by the program itself. Each icon has a greyed variant for the
// disabled button.
namespace Pictures {

QIcon save();  // a round button with a green centre
QIcon alias(); // an open book with a red question mark
QIcon exit();  // an open door

// A 16 x 16 picture and its greyed variant as one icon.
QIcon withGreyed(const QPixmap &normal);
QPixmap greyed(const QPixmap &normal);

// The dialogs' button glyphs: two 16 x 16 images side by side, the normal one
// and the grey one for the disabled button. The colour of the bottom-left pixel
// is made transparent, as the suite's glyph bitmaps are drawn.
QPixmap cancelGlyph(); // a red diagonal cross under a black exclamation mark
QPixmap okGlyph();     // a red tick with a black outline
// Left half for the normal button, right half for the disabled one.
QIcon iconFromGlyph(const QPixmap &twoImages);

} // namespace Pictures
