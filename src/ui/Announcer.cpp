#include "Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface* NotificationFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("CAnnouncer") ||
        (className == QLatin1String("QWidget") && widget->property("notice").toBool()))
        return new QAccessibleWidget(widget, QAccessible::Notification);
    return nullptr;
}

} // namespace

CAnnouncer::CAnnouncer(QWidget* parent) : QWidget(parent) {
    InstallRoles();
    setObjectName(QStringLiteral("announcer"));
    setFixedSize(1, 1);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void CAnnouncer::Say(const QString& text) {
    if (text.isEmpty())
        return;
    // Shown anew: the reader hears a notification appear, also when the text repeats.
    hide();
    setAccessibleName(text);
    show();
}

void CAnnouncer::InstallRoles() {
    static const bool installed = (QAccessible::installFactory(NotificationFactory), true);
    Q_UNUSED(installed);
}
