#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

QString PlainLabel(const QString& text) {
    QString plain = text.section(u'\t', 0, 0);
    plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    plain.replace(QStringLiteral("&&"), QStringLiteral("&"));
    plain.remove(QRegularExpression(QStringLiteral("\\s*(:|\\.\\.\\.|…)\\s*$")));
    return plain.simplified();
}

void NameByLabels(QWidget* root) {
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* buddy = label->buddy();
        // A button with a text of its own is named by it (a family button, not "Edit Signal").
        const auto* button = qobject_cast<const QAbstractButton*>(buddy);
        if (buddy != nullptr && buddy->accessibleName().isEmpty() &&
            (button == nullptr || button->text().isEmpty()))
            buddy->setAccessibleName(PlainLabel(label->text()));
    }
}
