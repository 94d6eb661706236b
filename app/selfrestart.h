#pragma once

#include <QString>

#include <functional>

// Starts a new copy of the running program (the Preferences dialog's restart).
namespace SelfRestart {

// Starts `program` detached with no arguments; true when it started.
using Launcher = std::function<bool(const QString& program)>;

// The launcher in use; tests replace it to observe the restart.
Launcher& launcher();

// Starts the program's own executable through launcher().
bool start();

} // namespace SelfRestart
