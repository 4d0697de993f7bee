#include "CommandAction.h"

#include "CommandTable.h"
#include "Prompts.h"

#include <QAction>
#include <QApplication>

QAction* MakeCommand(QObject* owner, std::uint32_t id, std::function<void()> run) {
    auto* action = new QAction(CommandTr(MenuText(id)), owner);
    action->setData(id);
    const QString prompt = CommandTr(StandardPrompt(id));
    action->setStatusTip(prompt.section(u'\n', 0, 0));
    action->setToolTip(prompt.section(u'\n', 1, 1));
    QList<QKeySequence> keys;
    for (const Accelerator& key : Accelerators()) {
        if (key.id == id)
            keys << QKeySequence(key.keys);
    }
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    if (run) {
        QObject::connect(action, &QAction::triggered, action, [run = std::move(run)] {
            CPrompts::Guard(QApplication::activeWindow(), run);
        });
    } else {
        action->setEnabled(false); // nothing runs it
    }
    return action;
}

std::uint32_t CommandId(const QAction* action) {
    return action->data().toUInt();
}
