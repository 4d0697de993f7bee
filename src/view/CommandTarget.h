#pragma once

#include <cstdint>
#include <functional>
#include <unordered_map>

class QAction;

// Who handles a command on the route.
enum class CommandOwner { View, Document, Frame, App, Nobody };

// An object on the command route (view, document, main frame, application). The router
// offers each command to the targets in that order; the first that handles it gets it. A
// target registers each of its commands once: the id, what runs it and, where its menu item
// shows a state, what sets that state.
class CCommandTarget {
public:
    using Runner = std::function<void(std::uint32_t id)>;
    using Updater = std::function<void(std::uint32_t id, QAction& action)>;

    explicit CCommandTarget(CommandOwner owner) : m_owner(owner) {}
    virtual ~CCommandTarget() = default;

    CommandOwner Owner() const { return m_owner; }
    bool Handles(std::uint32_t id) const { return m_commands.count(id) != 0; }
    void Execute(std::uint32_t id) const;
    // Enables the action, then lets the command's updater set its state.
    void Update(std::uint32_t id, QAction& action) const;

protected:
    void OnCommand(std::uint32_t id, Runner run, Updater update = {});
    void OnCommandRange(std::uint32_t first, std::uint32_t last, const Runner& run,
                        const Updater& update = {});

private:
    struct Command {
        Runner run;
        Updater update;
    };
    std::unordered_map<std::uint32_t, Command> m_commands;
    CommandOwner m_owner;
};
