#pragma once

#include <QKeySequence>
#include <QString>
#include <string>
#include <vector>

namespace zorv::ui {

// One entry of a menu: its caption (with "&" accelerator) and the catalogue
// command it runs. An entry with no command and no children is a separator;
// one with children is a submenu.
struct MenuEntry {
    QString caption;
    std::string command;
    QKeySequence shortcut = {};
    std::vector<MenuEntry> children = {};
};

struct MenuSpec {
    QString title;
    std::vector<MenuEntry> entries;
};

// The main window's menu bar, every item naming the catalogue command it
// runs. The same names serve the toolbar, the tray menu and batch mode.
std::vector<MenuSpec> mainMenus();

}  // namespace zorv::ui
