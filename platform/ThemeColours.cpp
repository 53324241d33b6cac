#include "ThemeColours.h"

#include <QWidget>
#include <algorithm>
#include <cmath>

namespace zorv::platform {

namespace {

double channel(double c) {
    c /= 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    const QColor c = colour.toRgb();
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

QColor mix(const QColor& a, const QColor& b, double t) {
    const QColor x = a.toRgb(), y = b.toRgb();
    const auto m = [t](int p, int q) { return static_cast<int>(std::lround(p + (q - p) * t)); };
    return QColor(m(x.red(), y.red()), m(x.green(), y.green()), m(x.blue(), y.blue()));
}

bool isDark(const QColor& c) { return luminance(c) < 0.18; }

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& preferred, const QColor& background, double minimum) {
    if (contrastRatio(preferred, background) >= minimum) return preferred;
    // Toward white on dark backgrounds, toward black on light ones; in
    // steps, so the colour keeps as much of its hue as it can.
    const QColor target = isDark(background) ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const QColor c = mix(preferred, target, step / 20.0);
        if (contrastRatio(c, background) >= minimum) return c;
    }
    return target;
}

QColor accentOnButton(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Button);
    return readableOn(palette.color(QPalette::Link), face);
}

QColor warningOnButton(const QPalette& palette) {
    const QColor face = palette.color(QPalette::Button);
    const QColor red = isDark(face) ? QColor(0xff, 0x8a, 0x80) : QColor(0xb3, 0x26, 0x1e);
    return readableOn(red, face);
}

QColor quietText(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    return readableOn(mix(palette.color(QPalette::WindowText), window, 0.3), window);
}

QColor accentOnWindow(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    return readableOn(palette.color(QPalette::Link), window);
}

void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Active, role, colour);
    p.setColor(QPalette::Inactive, role, colour);
    widget->setPalette(p);
    widget->setForegroundRole(role);
}

void setLabelColours(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text) {
    QPalette p = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, text, readableOn(p.color(group, text), p.color(group, background)));
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
    widget->setBackgroundRole(background);
    widget->setForegroundRole(text);
}

QColor tapePaper() { return QColor(0xff, 0xfd, 0xf3); }

void setBold(QWidget* widget, bool bold) {
    QFont f = widget->font();
    f.setBold(bold);
    widget->setFont(f);
}

}  // namespace zorv::platform
