#include "MessageBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

// The bar is an alert to assistive technology: a screen reader speaks it when it shows.
QAccessibleInterface* AlertFactory(const QString& className, QObject* object) {
    auto* bar = qobject_cast<QWidget*>(object);
    if (bar == nullptr || className != QLatin1String("CMessageBar"))
        return nullptr;
    return new QAccessibleWidget(bar, QAccessible::AlertMessage);
}

} // namespace

CMessageBar::CMessageBar(QWidget* parent)
    : QFrame(parent), m_pText(new QLabel(this)), m_pButtons(new QHBoxLayout) {
    static const bool installed = (QAccessible::installFactory(AlertFactory), true);
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("messageBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    TakeColours();
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    m_pText->setWordWrap(true);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("messageBarClose"));
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setToolTip(tr("Close"));
    close->setAccessibleName(tr("Close the notices"));
    setAccessibleName(tr("Notices"));
    connect(close, &QToolButton::clicked, this, &CMessageBar::Dismiss);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 4, 4);
    row->addWidget(icon);
    row->addWidget(m_pText, 1);
    row->addLayout(m_pButtons);
    row->addWidget(close, 0, Qt::AlignTop);
    hide();
}

void CMessageBar::Show(const QString& text, const QString& kind) {
    ShowWithActions(text, {}, kind);
}

void CMessageBar::ShowWithActions(const QString& text, const QList<QAction*>& actions,
                                  const QString& kind) {
    if (!kind.isEmpty()) {
        for (qsizetype i = 0; i < m_entries.size(); ++i) {
            if (m_entries[i].kind == kind) {
                Remove(i);
                break;
            }
        }
    }
    Message message{m_nNextId++, kind, {}};
    for (QAction* action : actions) {
        // A push button, so that the action's "&" gives it its Alt+letter.
        auto* button = new QPushButton(action->text(), this);
        button->setFlat(true);
        button->setToolTip(action->toolTip());
        const quint64 id = message.id;
        connect(button, &QPushButton::clicked, action, [this, action, id] {
            // The message goes first: what the action shows in the bar stays.
            RemoveId(id);
            action->trigger();
        });
        m_pButtons->addWidget(button);
        message.buttons << button;
    }
    m_entries << message;
    m_messages << text;
    Refresh();
    // Screen readers speak a notice as it comes, as they speak an alert: the bar's
    // description is the newest notice.
    setAccessibleDescription(text);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void CMessageBar::Dismiss() {
    while (!m_entries.isEmpty())
        Remove(m_entries.size() - 1);
    Refresh();
}

void CMessageBar::Remove(qsizetype index) {
    for (QWidget* button : std::as_const(m_entries[index].buttons)) {
        m_pButtons->removeWidget(button);
        button->hide();
        button->deleteLater();
    }
    m_entries.removeAt(index);
    m_messages.removeAt(index);
}

void CMessageBar::Withdraw(const QString& kind) {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].kind == kind) {
            Remove(i);
            Refresh();
            return;
        }
    }
}

void CMessageBar::RemoveId(quint64 id) {
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id) {
            Remove(i);
            Refresh();
            return;
        }
    }
}

void CMessageBar::Refresh() {
    m_pText->setText(m_messages.join(QStringLiteral("\n\n")));
    setVisible(!m_messages.isEmpty());
}

void CMessageBar::TakeColours() {
    const QPalette theme = QApplication::palette(this);
    const QColor back = theme.color(QPalette::ToolTipBase);
    const QColor text = theme.color(QPalette::ToolTipText);
    if (palette().color(QPalette::Window) == back && palette().color(QPalette::WindowText) == text)
        return; // also ends the change event that setPalette sends
    QPalette colours = palette();
    colours.setColor(QPalette::Window, back);
    colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
}

void CMessageBar::changeEvent(QEvent* event) {
    // The desktop's theme changed while the editor runs.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        TakeColours();
    QFrame::changeEvent(event);
}
