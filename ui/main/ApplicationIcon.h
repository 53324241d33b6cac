#pragma once

#include <QIcon>

namespace zorv::ui {

// The name the program is known by on the desktop: its menu entry
// (<id>.desktop), AppStream metadata and icon in the hicolor theme.
inline constexpr char kApplicationId[] = "org.zorv.ZorvCalc";

// The program's icon, for the windows and the tray: the one installed in the
// desktop's icon theme, or the copy built into the program when it runs
// uninstalled (from the build folder, or on a desktop without the theme).
QIcon applicationIcon();
// The copy built into the program alone. The start sets the icon once the
// window has been painted: looking it up in the theme reads the theme's
// index files, and decoding the built-in sizes takes a moment too.
QIcon builtInApplicationIcon();

}  // namespace zorv::ui
