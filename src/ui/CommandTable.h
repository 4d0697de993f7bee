#pragma once

#include <QKeyCombination>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The program's command vocabulary as data: commands with their prompts, the menus, the
// context menu, the look menu, the accelerators and the toolbar. The objects that run the
// commands make their actions from it (MakeCommand); the main frame builds its menus and
// toolbar from it.

struct CommandInfo {
    std::uint32_t id;
    const char* prompt; // status-bar text, "\n", tooltip; may be empty
};

// Include stands for the entries of another list, so that two menus can share them.
enum class MenuEntryKind { Item, Separator, PopupBegin, PopupEnd, Include };

struct MenuEntry {
    MenuEntryKind kind;
    const char* text;
    std::uint32_t id;
    const MenuEntry* include = nullptr; // Include: the entries
    std::size_t includeCount = 0;
};

struct Accelerator {
    QKeyCombination keys;
    std::uint32_t id;
};

std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(std::uint32_t id);
std::span<const MenuEntry> MainMenuEntries();
std::span<const MenuEntry> ContextMenuEntries();
std::span<const MenuEntry> LookMenuEntries();
std::span<const Accelerator> Accelerators();
// Toolbar buttons left to right; 0 is a separator.
std::span<const std::uint32_t> ToolbarButtons();

// The standard prompts for commands no menu shows, by id.
const char* StandardPrompt(std::uint32_t id);
// A text of these tables in the user's language (English when no translation is loaded).
QString CommandTr(const char* text);
// The text of the command's first menu item, or empty.
const char* MenuText(std::uint32_t id);
// The titles of the popups above the command's first item in the main menu, outermost
// first; empty when the main menu does not show it.
std::vector<const char*> MenuPath(std::uint32_t id);
// The commands of the main menu, each once, in the order the menus show them.
std::vector<std::uint32_t> MenuOrder();
