#pragma once

#include <QHash>
#include <QObject>

#include <cstdint>
#include <span>
#include <vector>

#include "CommandTable.h"

class CCommandTarget;
class QAction;
class QMenu;
class QWidget;

// Makes one QAction per command id from the command table and routes each command to the
// first target (view, document, main frame, application) that handles it. A command that
// no target handles stays disabled.
class CCommandRouter : public QObject {
    Q_OBJECT
public:
    explicit CCommandRouter(QWidget* window);

    void SetTargets(std::vector<CCommandTarget*> targets) { m_targets = std::move(targets); }
    QAction* Action(std::uint32_t id);
    // Fills a menu from menu entries.
    void BuildMenu(QMenu* menu, std::span<const MenuEntry> entries);
    void Execute(std::uint32_t id);
    // The target that handles the command, or null.
    const CCommandTarget* Handler(std::uint32_t id) const { return TargetFor(id); }
    void UpdateAll();
    void UpdateMenu(QMenu* menu);

signals:
    void promptChanged(const QString& text);

private:
    void AddEntries(QMenu* menu, std::span<const MenuEntry> entries);
    CCommandTarget* TargetFor(std::uint32_t id) const;
    void Update(std::uint32_t id, QAction* action);

    QWidget* m_pWindow;
    std::vector<CCommandTarget*> m_targets;
    QHash<std::uint32_t, QAction*> m_actions;
};
