#pragma once

#include <QLocale>
#include <QStringList>
#include <vector>

class QCoreApplication;

namespace zorv::app {

// Installs the program's translation for `locale` (and Qt's own, for the
// standard dialog buttons) on the application, and points the calculator's
// message texts at it. English needs nothing: the source texts are English.
// Returns the language installed ("de"), or an empty string when the
// program has no translation for the locale. Only the window calls this:
// batch mode stays English.
QString installTranslations(QCoreApplication& app, const QLocale& locale);

// The texts shown in the window that come from the Qt-free libraries
// (message and prompt texts, the finance and conversion menu captions),
// each as "context" + "text". Listed here so that lupdate finds them; the
// tests check that the listed menu captions are those of the menus and
// that each has a translation.
struct TranslatableText {
    const char* context;
    const char* text;
};
const std::vector<TranslatableText>& engineTexts();

}  // namespace zorv::app
