#pragma once

#include <QPixmap>
#include <QString>

namespace zorv::ui {

// Reads a PNG (from the resources or a file) with Qt's own PNG reader only.
// Left to guess, or even told "png", Qt's image reader first loads every
// image format plugin (GIF, ICO, JPEG and their libraries) to ask each
// whether it reads the file: milliseconds and memory at the start.
QPixmap readPng(const QString& path);

// When Qt's own Fusion or Windows style is the one in use (as chosen by
// the user or the platform), installs it again changed only in how the two
// toolbar extension icons are read: the menu bar asks for one as it is
// made, and the style would read it the slow way (see readPng). Other
// styles are left alone. Call once, after the QApplication and before any
// widget.
void installApplicationStyle();

}  // namespace zorv::ui
