#pragma once

// Reaching the main window's keys as a user does: a mouse click in the
// middle of the key, or the key as a screen reader sees it.
#include <QAccessible>
#include <QTest>
#include <string_view>

#include "engine/CommandTable.h"
#include "ui/main/CalculatorWindow.h"
#include "ui/main/KeypadWidget.h"

namespace zorv::test {

inline int keyIndex(const ui::CalculatorWindow& w, engine::CommandId command) {
    return w.keypad()->indexOf(command);
}

inline int keyIndex(const ui::CalculatorWindow& w, std::string_view text) {
    const auto id = engine::commandByText(text);
    return id ? w.keypad()->indexOf(*id) : -1;
}

inline QPoint keyCentre(const ui::CalculatorWindow& w, int index) { return w.keypad()->keyRect(index).center(); }

inline void clickKey(ui::CalculatorWindow& w, engine::CommandId command) {
    QTest::mouseClick(w.keypad(), Qt::LeftButton, {}, keyCentre(w, keyIndex(w, command)));
}

inline void clickKey(ui::CalculatorWindow& w, std::string_view text) {
    QTest::mouseClick(w.keypad(), Qt::LeftButton, {}, keyCentre(w, keyIndex(w, text)));
}

// The key's accessible interface: the keypad's child for the key.
inline QAccessibleInterface* keyInterface(const ui::CalculatorWindow& w, engine::CommandId command) {
    QAccessibleInterface* pad = QAccessible::queryAccessibleInterface(w.keypad());
    return pad ? pad->child(keyIndex(w, command)) : nullptr;
}

}  // namespace zorv::test
