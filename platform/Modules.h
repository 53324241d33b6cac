#pragma once

#include <QString>
#include <QStringList>

namespace zorv::platform {

// Parts of the program kept in shared libraries of their own and loaded the
// first time they are needed ("zorvcalc-net" for downloads), so the start
// does not load the libraries they link (the network and printing ones).

// The folders searched, in order: those in ZORV_MODULE_PATH (separated as
// PATH is), then the modules' folder under the library folder beside the
// program's folder: ../lib/<triplet>/zorvcalc from /usr/bin when installed
// under /usr, the same under <build> from <build>/app.
QStringList moduleDirectories();

// The entry point `symbol` of module `name`, loaded on first use and kept
// for the rest of the run; null with the reason in `error` when no folder
// has the module or it lacks the entry point.
using ModuleEntry = void (*)();
ModuleEntry moduleEntry(const QString& name, const char* symbol, QString* error);

}  // namespace zorv::platform
