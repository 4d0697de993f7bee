#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
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

void SayFocus(QWidget* widget) {
    QAccessibleEvent focused(widget, QAccessible::Focus);
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    const QModelIndex current = view != nullptr ? view->currentIndex() : QModelIndex();
    if (current.isValid()) {
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(widget);
        if (table != nullptr && table->tableInterface() != nullptr) {
            if (QAccessibleInterface* cell =
                    table->tableInterface()->cellAt(current.row(), current.column()))
                focused.setChild(table->indexOfChild(cell));
        }
    }
    QAccessible::updateAccessibility(&focused);
}

namespace {

class CCellOnFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn && QAccessible::isActive()) {
            // After Qt has said the view itself.
            auto* view = static_cast<QAbstractItemView*>(watched);
            QMetaObject::invokeMethod(
                view,
                [view] {
                    if (view->hasFocus())
                        SayFocus(view);
                },
                Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace

void SayCurrentCellOnFocus(QAbstractItemView* view) {
    view->installEventFilter(new CCellOnFocus(view));
}

void FocusSelected(QLineEdit* field) {
    // Not a shortcut's focus reason: the field would select its text on taking the focus,
    // before the focus is told.
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}
