#include "CommandKeys.h"

#include "AccessibleNames.h"
#include "CommandTable.h"
#include "EditorSettings.h"

#include <QAction>
#include <QPointer>
#include <QSettings>

#include <vector>

namespace {

const QString& Group = Settings::CommandKeysGroup;

QString Key(std::uint32_t id) {
    return Group + u'/' + QString::number(id);
}

// The actions made for commands, by id: a changed key reaches each of them.
std::vector<std::pair<std::uint32_t, QPointer<QAction>>>& Followers() {
    static std::vector<std::pair<std::uint32_t, QPointer<QAction>>> actions;
    return actions;
}

// The key after the tab of the command's menu text ("Ctrl+Ins"), as the menus name it.
QKeySequence MenuKey(std::uint32_t id) {
    const QString text = QString::fromLatin1(MenuText(id));
    const qsizetype tab = text.indexOf(u'\t');
    return tab < 0 ? QKeySequence() : QKeySequence(text.mid(tab + 1), QKeySequence::PortableText);
}

// The menu's own key while the command keeps it, else the first of the user's keys.
QString KeyLabel(std::uint32_t id) {
    const QKeySequence menuKey = MenuKey(id);
    if (!CommandKeysChosen(id))
        return menuKey.toString(QKeySequence::NativeText);
    const QList<QKeySequence> keys = CommandKeys(id);
    if (keys.contains(menuKey))
        return menuKey.toString(QKeySequence::NativeText);
    return keys.isEmpty() ? QString() : keys.first().toString(QKeySequence::NativeText);
}

void Apply(std::uint32_t id) {
    auto& actions = Followers();
    std::erase_if(actions, [](const auto& entry) { return entry.second.isNull(); });
    const QList<QKeySequence> keys = CommandKeys(id);
    const QString label = KeyLabel(id);
    for (const auto& [command, action] : actions) {
        if (command != id)
            continue;
        action->setShortcuts(keys);
        // The text before the tab may name more (Undo names its step): only the key changes.
        const QString text = action->text().section(u'\t', 0, 0);
        action->setText(label.isEmpty() ? text : text + u'\t' + label);
    }
}

} // namespace

QList<QKeySequence> DefaultCommandKeys(std::uint32_t id) {
    QList<QKeySequence> keys;
    for (const Accelerator& key : Accelerators()) {
        if (key.id == id)
            keys << QKeySequence(key.keys);
    }
    return keys;
}

bool CommandKeysChosen(std::uint32_t id) {
    return EditorSettings().contains(Key(id));
}

QList<QKeySequence> CommandKeys(std::uint32_t id) {
    const QSettings settings = EditorSettings();
    if (!settings.contains(Key(id)))
        return DefaultCommandKeys(id);
    QList<QKeySequence> keys;
    for (const QString& text : settings.value(Key(id)).toStringList()) {
        const QKeySequence key(text, QKeySequence::PortableText);
        if (!key.isEmpty())
            keys << key;
    }
    return keys;
}

void SetCommandKeys(std::uint32_t id, const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys)
        texts << key.toString(QKeySequence::PortableText);
    QSettings settings = EditorSettings();
    if (keys == DefaultCommandKeys(id))
        settings.remove(Key(id));
    else
        settings.setValue(Key(id), texts);
    Apply(id);
}

void ResetCommandKeys() {
    QSettings settings = EditorSettings();
    QList<std::uint32_t> chosen;
    for (const QString& key : [&settings] {
             settings.beginGroup(Group);
             const QStringList keys = settings.childKeys();
             settings.endGroup();
             return keys;
         }())
        chosen << key.toUInt();
    settings.remove(Group);
    for (std::uint32_t id : chosen)
        Apply(id);
}

std::uint32_t CommandWithKey(const QKeySequence& key, std::uint32_t except) {
    for (const CommandInfo& command : Commands()) {
        if (command.id != except && CommandKeys(command.id).contains(key))
            return command.id;
    }
    return 0;
}

QString CommandText(std::uint32_t id) {
    const QString text = CommandTr(MenuText(id)).section(u'\t', 0, 0);
    const QString label = KeyLabel(id);
    return label.isEmpty() ? text : text + u'\t' + label;
}

QString CommandName(std::uint32_t id) {
    return PlainLabel(CommandTr(MenuText(id)));
}

QString CommandPath(std::uint32_t id) {
    QStringList parts;
    for (const char* title : MenuPath(id))
        parts << PlainLabel(CommandTr(title));
    QString name = CommandName(id);
    if (name.isEmpty())
        name = CommandTr(StandardPrompt(id)).section(u'\n', 1, 1);
    parts << name;
    return parts.join(QStringLiteral(" > "));
}

void FollowCommandKeys(QAction* action, std::uint32_t id) {
    Followers().emplace_back(id, action);
    action->setShortcuts(CommandKeys(id));
}

QString KeysText(const QList<QKeySequence>& keys) {
    QStringList texts;
    for (const QKeySequence& key : keys)
        texts << key.toString(QKeySequence::NativeText);
    return texts.join(QStringLiteral(", "));
}
