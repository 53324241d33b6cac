#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

namespace zorv::shell {

// The position that centres a window of `size` in `screen`.
QPoint centredPosition(QSize size, QRect screen);

// Where the main window goes: the stored position when it is on a screen,
// else centred on the primary screen. A stored position whose window would
// not show on any screen is brought back onto the screen it is nearest to,
// so a window saved on a monitor that is gone cannot start out of reach.
// `screens` are the available areas; the first is the primary screen.
QPoint placeWindow(std::optional<int> top, std::optional<int> left, QSize size,
                   const std::vector<QRect>& screens);

}  // namespace zorv::shell
