#include "WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace zorv::shell {

QPoint centredPosition(QSize size, QRect screen) {
    return {screen.left() + (screen.width() - size.width()) / 2,
            screen.top() + (screen.height() - size.height()) / 2};
}

namespace {

// Squared distance between a point and a rectangle (0 inside it).
std::int64_t distance2(QPoint p, QRect r) {
    const std::int64_t dx = p.x() < r.left() ? r.left() - p.x() : p.x() > r.right() ? p.x() - r.right() : 0;
    const std::int64_t dy = p.y() < r.top() ? r.top() - p.y() : p.y() > r.bottom() ? p.y() - r.bottom() : 0;
    return dx * dx + dy * dy;
}

int clampInto(int pos, int extent, int low, int span) {
    // A window larger than the screen keeps its top-left corner on it.
    if (extent >= span) return low;
    return std::clamp(pos, low, low + span - extent);
}

}  // namespace

QPoint placeWindow(std::optional<int> top, std::optional<int> left, QSize size,
                   const std::vector<QRect>& screens) {
    if (screens.empty()) return {left.value_or(0), top.value_or(0)};
    const QRect& primary = screens.front();
    // With one coordinate stored the other is centred, as each defaults alone.
    const QPoint centred = centredPosition(size, primary);
    const QPoint wanted(left.value_or(centred.x()), top.value_or(centred.y()));
    if (!top && !left) return centred;

    // The window can be reached when a good part of its title strip lies on
    // some screen.
    const int strip = std::min(size.height(), 24);
    const QRect title(wanted, QSize(size.width(), strip));
    constexpr int kReachable = 48;
    for (const QRect& s : screens) {
        const QRect shown = title.intersected(s);
        if (shown.width() >= std::min(kReachable, size.width()) && shown.height() >= strip) return wanted;
    }

    const QRect* nearest = &primary;
    std::int64_t best = std::numeric_limits<std::int64_t>::max();
    const QPoint middle = QRect(wanted, size).center();
    for (const QRect& s : screens) {
        const std::int64_t d = distance2(middle, s);
        if (d < best) {
            best = d;
            nearest = &s;
        }
    }
    return {clampInto(wanted.x(), size.width(), nearest->left(), nearest->width()),
            clampInto(wanted.y(), size.height(), nearest->top(), nearest->height())};
}

}  // namespace zorv::shell
