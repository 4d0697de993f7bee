#include "CommandTarget.h"

#include <QAction>

void CCommandTarget::Execute(std::uint32_t id) const {
    const auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.run)
        it->second.run(id);
}

void CCommandTarget::Update(std::uint32_t id, QAction& action) const {
    action.setEnabled(true);
    const auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.update)
        it->second.update(id, action);
}

void CCommandTarget::OnCommand(std::uint32_t id, Runner run, Updater update) {
    m_commands[id] = {std::move(run), std::move(update)};
}

void CCommandTarget::OnCommandRange(std::uint32_t first, std::uint32_t last, const Runner& run,
                                    const Updater& update) {
    for (std::uint32_t id = first; id <= last; ++id)
        OnCommand(id, run, update);
}
