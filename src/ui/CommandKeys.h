#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

#include <cstdint>

class QAction;

// The keys of the commands: the command table's, or those the user chose (kept in the
// settings, group "Shortcuts", which outlives the workspace), and the key a menu shows
// beside a command, written as this desktop writes keys ("Strg+Einfg" in German).

QList<QKeySequence> DefaultCommandKeys(std::uint32_t id);
QList<QKeySequence> CommandKeys(std::uint32_t id);
// True when the user chose the command's keys (none is a choice too).
bool CommandKeysChosen(std::uint32_t id);
// Keeps the user's keys for the command and gives them to every action made for it.
void SetCommandKeys(std::uint32_t id, const QList<QKeySequence>& keys);
// Every command back to the table's keys.
void ResetCommandKeys();
// The command, other than except, that one of whose keys is key; 0 when none.
std::uint32_t CommandWithKey(const QKeySequence& key, std::uint32_t except);
// The command's menu text in the user's language with its key after a tab: the key the menu
// names, or the first the user chose.
QString CommandText(std::uint32_t id);
// The command's name alone: its menu text without the Alt+letter, the "..." or the key.
QString CommandName(std::uint32_t id);
// Where the menus show the command and its name: "Edit > New" beside "File > New".
QString CommandPath(std::uint32_t id);
// Keeps the action's keys and the key in its text in step with the user's choices.
void FollowCommandKeys(QAction* action, std::uint32_t id);
// Texts of keys as this desktop writes them, for lists of keys.
QString KeysText(const QList<QKeySequence>& keys);
