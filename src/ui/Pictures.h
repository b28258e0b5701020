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

} // namespace Pictures
