#pragma once

// Small pieces the conversion windows share. Internal to convert/.

#include <QString>
#include <QWidget>
#include <string>

namespace zorv::convert::ui {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }
inline QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

// Gives a control its object name (for tests and scripts) and the name a
// screen reader says.
template <typename W>
W* named(W* widget, const char* objectName, const QString& accessibleName) {
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

}  // namespace zorv::convert::ui
