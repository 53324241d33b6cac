#pragma once

#include <QKeySequence>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "engine/CommandTable.h"

namespace zorv::ui {

// One entry of a menu: its caption (with "&" accelerator) and the command it
// runs, with that command's catalogue text. An entry with no command and no
// children is a separator; one with children is a submenu.
struct MenuEntry {
    QString caption;
    std::optional<engine::CommandId> id;
    std::string command;
    QKeySequence shortcut = {};
    std::vector<MenuEntry> children = {};
};

struct MenuSpec {
    QString title;
    std::vector<MenuEntry> entries;
};

// The main window's menu bar, every item naming the command it runs.
std::vector<MenuSpec> mainMenus();

}  // namespace zorv::ui
