#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

namespace zorv::platform {

// Colours taken from the desktop's palette, so that the windows stay
// readable on light and dark themes alike. Each colour is adjusted, when the
// theme's own pairing is too faint, to a contrast of at least 4.5:1 against
// the background it is drawn on.

// WCAG 2 contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);

// `preferred` moved toward black or white, whichever reads better on
// `background`, just far enough for `minimum` contrast.
QColor readableOn(const QColor& preferred, const QColor& background, double minimum = 4.5);

// An accent for captions on buttons (the memory keys): the theme's link
// colour, made readable on the button face.
QColor accentOnButton(const QPalette& palette);
// A warning red for captions on buttons (CE, C), dark on light faces and
// light on dark ones.
QColor warningOnButton(const QPalette& palette);
// A quieter text colour for hints on the window background.
QColor quietText(const QPalette& palette);
// An accent for text on the window background (the mode letters).
QColor accentOnWindow(const QPalette& palette);

// Sets the widget's foreground role colour (its text) for the active and
// inactive colour groups; disabled text keeps the theme's own.
void setTextColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);
// Makes a label fill its background with `background` and draw its text in
// `text` (both roles of the widget's palette).
void setLabelColours(QWidget* widget, QPalette::ColorRole background, QPalette::ColorRole text);
// The tape's paper: the ink the user picks must read on it.
QColor tapePaper();

// Bold font on one widget, without a style sheet.
void setBold(QWidget* widget, bool bold = true);

}  // namespace zorv::platform
