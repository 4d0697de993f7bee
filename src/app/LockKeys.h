#pragma once

#include <functional>
#include <optional>

// The states of Caps Lock, Num Lock and Scroll Lock, read from the window system.
struct LockKeyStates {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

// The current states, or nothing where the window system does not tell them (Wayland,
// offscreen): the indicators then stay blank.
std::optional<LockKeyStates> ReadLockKeyStates();

// Replaces the reader, for tests; an empty function restores the window system's.
void SetLockKeyReader(std::function<std::optional<LockKeyStates>()> reader);
