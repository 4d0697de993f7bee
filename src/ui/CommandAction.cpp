#include "CommandAction.h"

#include "CommandKeys.h"
#include "CommandTable.h"
#include "Prompts.h"

#include <QAction>
#include <QApplication>

QAction* MakeCommand(QObject* owner, std::uint32_t id, std::function<void()> run) {
    auto* action = new QAction(CommandText(id), owner);
    action->setData(id);
    const QString prompt = CommandTr(StandardPrompt(id));
    action->setStatusTip(prompt.section(u'\n', 0, 0));
    action->setToolTip(prompt.section(u'\n', 1, 1));
    FollowCommandKeys(action, id);
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
