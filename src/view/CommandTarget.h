#pragma once

#include <cstdint>

class QAction;

// An object on the command route (view, document, main frame, application). The router
// offers each command to the targets in that order; the first that handles it gets it.
class CCommandTarget {
public:
    virtual ~CCommandTarget() = default;
    virtual bool Handles(std::uint32_t id) const = 0;
    virtual void Execute(std::uint32_t id) = 0;
    // Sets the action's enabled and checked state; handled commands are enabled by default.
    virtual void Update(std::uint32_t id, QAction& action);
};
