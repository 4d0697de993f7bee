#include "CommandRouter.h"

#include "Prompts.h"

#include "CommandTarget.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

CCommandRouter::CCommandRouter(QWidget* window) : QObject(window), m_pWindow(window) {
    for (const Accelerator& key : Accelerators())
        Action(key.id);
}

QAction* CCommandRouter::Action(std::uint32_t id) {
    if (QAction* action = m_actions.value(id))
        return action;
    auto* action = new QAction(m_pWindow);
    action->setData(id);
    const QString prompt = QString::fromLatin1(StandardPrompt(id));
    action->setStatusTip(prompt.section(u'\n', 0, 0));
    action->setToolTip(prompt.section(u'\n', 1, 1));
    QList<QKeySequence> keys;
    for (const Accelerator& key : Accelerators()) {
        if (key.id == id)
            keys << QKeySequence(key.keys);
    }
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setEnabled(false);
    connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
    connect(action, &QAction::hovered, this,
            [this, action] { emit promptChanged(action->statusTip()); });
    m_pWindow->addAction(action);
    m_actions.insert(id, action);
    return action;
}

void CCommandRouter::BuildMenu(QMenu* menu, std::span<const MenuEntry> entries) {
    AddEntries(menu, entries);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void CCommandRouter::AddEntries(QMenu* menu, std::span<const MenuEntry> entries) {
    std::vector<QMenu*> stack{menu};
    for (const MenuEntry& entry : entries) {
        QMenu* current = stack.back();
        switch (entry.kind) {
        case MenuEntryKind::PopupBegin: {
            QMenu* popup = current->addMenu(QString::fromLatin1(entry.text));
            connect(popup, &QMenu::aboutToShow, this, [this, popup] { UpdateMenu(popup); });
            stack.push_back(popup);
            break;
        }
        case MenuEntryKind::PopupEnd:
            stack.pop_back();
            break;
        case MenuEntryKind::Separator:
            current->addSeparator();
            break;
        case MenuEntryKind::Include:
            AddEntries(current, {entry.include, entry.includeCount});
            break;
        case MenuEntryKind::Item: {
            QAction* action = Action(entry.id);
            if (action->text().isEmpty())
                action->setText(QString::fromLatin1(entry.text));
            current->addAction(action);
            break;
        }
        }
    }
}

CCommandTarget* CCommandRouter::TargetFor(std::uint32_t id) const {
    for (CCommandTarget* target : m_targets) {
        if (target->Handles(id))
            return target;
    }
    return nullptr;
}

void CCommandRouter::Execute(std::uint32_t id) {
    // A command that runs out of memory ends alone; the editor and its document stay.
    if (CCommandTarget* target = TargetFor(id))
        CPrompts::Guard(qobject_cast<QWidget*>(parent()), [target, id] { target->Execute(id); });
    UpdateAll();
}

void CCommandRouter::Update(std::uint32_t id, QAction* action) {
    if (CCommandTarget* target = TargetFor(id))
        target->Update(id, *action);
    else
        action->setEnabled(false);
}

void CCommandRouter::UpdateAll() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it)
        Update(it.key(), it.value());
}

void CCommandRouter::UpdateMenu(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const auto id = action->data().toUInt();
        if (m_actions.value(id) == action)
            Update(id, action);
    }
}
