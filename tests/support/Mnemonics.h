#pragma once

// Alt+letter mnemonics that clash: two entries of one menu, or two visible
// controls of one window, underlining the same letter. With a clash the
// first press of the letter only moves between them, so the user's key is
// swallowed.
#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace zorv::test {

// The letter after the first single '&' ("&&" is a literal ampersand), lower
// case; a null QChar when the text has none.
inline QChar mnemonicOf(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] == u'&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

namespace detail {
inline void note(QMap<QChar, QStringList>& seen, const QString& text) {
    const QChar m = mnemonicOf(text);
    if (!m.isNull()) seen[m].append(text);
}
inline void report(const QString& where, const QMap<QChar, QStringList>& seen, QStringList& out) {
    for (auto it = seen.begin(); it != seen.end(); ++it)
        if (it.value().size() > 1)
            out.append(where + ": '" + QString(it.key()) + "' in " + it.value().join(" / "));
}
}  // namespace detail

// Each menu level on its own, submenus included.
inline void menuClashes(const QString& where, const QList<QAction*>& actions, QStringList& out) {
    QMap<QChar, QStringList> seen;
    for (QAction* a : actions) {
        if (a->isSeparator() || !a->isVisible()) continue;
        detail::note(seen, a->text());
        if (QMenu* sub = a->menu()) menuClashes(where + " > " + sub->title(), sub->actions(), out);
    }
    detail::report(where, seen, out);
}

inline QStringList menuBarClashes(QMenuBar* bar) {
    QStringList out;
    menuClashes("menu bar", bar->actions(), out);
    return out;
}

// The controls of a window that the user can reach at once: visible
// buttons, group boxes, labels with a buddy, each tab bar's tabs, and the
// menu bar's titles (Alt+letter opens a menu as well).
inline QStringList windowClashes(QWidget* window) {
    QMap<QChar, QStringList> seen;
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->menuWidget())
        for (QAction* a : main->menuBar()->actions())
            if (a->isVisible()) detail::note(seen, a->text());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window)) continue;
        if (auto* b = qobject_cast<QAbstractButton*>(w)) detail::note(seen, b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w)) detail::note(seen, g->title());
        else if (auto* l = qobject_cast<QLabel*>(w); l && l->buddy()) detail::note(seen, l->text());
        else if (auto* t = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < t->count(); ++i) detail::note(seen, t->tabText(i));
    }
    QStringList out;
    detail::report(window->windowTitle().isEmpty() ? window->objectName() : window->windowTitle(), seen, out);
    return out;
}

}  // namespace zorv::test
