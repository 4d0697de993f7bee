#pragma once

#include <cstdint>
#include <functional>

class QAction;
class QObject;

// A command as a QAction owned by the object that runs it: its text from the menus, its
// prompt as status tip and tooltip, its keys from the accelerators, its id as data.
// Triggered, it calls run; a command that runs out of memory ends alone, with "not enough
// memory" over the active window, and the document stays as it was.
QAction* MakeCommand(QObject* owner, std::uint32_t id, std::function<void()> run = {});
// The id a command action was made with.
std::uint32_t CommandId(const QAction* action);
