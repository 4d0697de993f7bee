#include "MessageBar.h"

#include "Announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// A notice and the window becoming active this close together: the notice appears again this
// long after, when a screen reader has said the window and its focus.
constexpr qint64 NoticeAgainWithin = 3000;
constexpr int NoticeAgainAfter = 1500;

// The bar is an alert to assistive technology, and each notice in it a notification: screen
// readers speak a notification as it appears (AT-SPI's role and showing event).
QAccessibleInterface* AlertFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("CMessageBar"))
        return new QAccessibleWidget(widget, QAccessible::AlertMessage);
    return nullptr;
}

} // namespace

CMessageBar::CMessageBar(QWidget* parent)
    : QFrame(parent), m_pRows(new QVBoxLayout), m_pMore(new QToolButton(this)) {
    static const bool installed = (QAccessible::installFactory(AlertFactory), true);
    Q_UNUSED(installed);
    // Each notice's row is a notification (see CAnnouncer).
    CAnnouncer::InstallRoles();
    setObjectName(QStringLiteral("messageBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    TakeColours();
    auto* icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_SmallIconSize);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    m_pRows->setContentsMargins(0, 0, 0, 0);
    m_pAgain = new CAnnouncer(this);
    // A notice that comes about when the focus comes back to the window (a file dialog
    // closing) is cut off by what a screen reader says of the window and its focus: once that
    // is said, it appears again. Qt tells only the window itself of its activation, and not
    // when the window system kept it active, so the focus coming from elsewhere tells.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (now == nullptr || now->window() != window() || (old && old->window() == window()))
            return;
        m_sinceActivation.start();
        // A notice that came shortly before is said once more after each such return.
        if (m_sinceNotice.isValid() && m_sinceNotice.elapsed() < NoticeAgainWithin) {
            m_bSaidAgain = false;
            NoticeAgain();
        }
    });
    m_pMore->setObjectName(QStringLiteral("messageBarMore"));
    m_pMore->setText(tr("&More"));
    connect(m_pMore, &QToolButton::clicked, this, [this] {
        m_bExpanded = !m_bExpanded;
        Refresh();
    });
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
    row->addLayout(m_pRows, 1);
    row->addWidget(m_pMore, 0, Qt::AlignTop);
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
    auto* row = new QWidget(this);
    row->setProperty("notice", true);
    row->setAccessibleName(text);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text, row);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    line->addWidget(label, 1);
    Message message{m_nNextId++, kind, row, label};
    for (QAction* action : actions) {
        // A push button beside its own message, so that the action's "&" gives it its
        // Alt+letter.
        auto* button = new QPushButton(action->text(), row);
        button->setToolTip(action->toolTip());
        const quint64 id = message.id;
        connect(button, &QPushButton::clicked, action, [this, action, id] {
            // The message goes first: what the action shows in the bar stays.
            RemoveId(id);
            action->trigger();
        });
        line->addWidget(button, 0, Qt::AlignTop);
    }
    m_pRows->addWidget(row);
    m_entries << message;
    m_sinceNotice.start();
    m_bSaidAgain = false;
    if (m_sinceActivation.isValid() && m_sinceActivation.elapsed() < NoticeAgainWithin)
        NoticeAgain();
    m_messages << text;
    Refresh();
    // Screen readers speak a notice as it comes, as they speak an alert: the bar's
    // description is the newest notice.
    setAccessibleDescription(text);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void CMessageBar::NoticeAgain() {
    if (m_bSaidAgain)
        return;
    m_bSaidAgain = true;
    // Said by a notification of its own: the reader heard the row's once already, or never.
    QTimer::singleShot(NoticeAgainAfter, this, [this] {
        if (!m_messages.isEmpty())
            m_pAgain->Say(m_messages.constLast());
    });
}

void CMessageBar::Dismiss() {
    const bool focused = isAncestorOf(QApplication::focusWidget());
    while (!m_entries.isEmpty())
        Remove(m_entries.size() - 1);
    Refresh();
    if (focused)
        emit closedWithFocus();
}

void CMessageBar::Remove(qsizetype index) {
    QWidget* row = m_entries[index].row;
    m_pRows->removeWidget(row);
    row->hide();
    row->deleteLater();
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
    // The newest messages first take the three lines; "More" shows every line of every one.
    int room = ShownLines;
    bool cut = false;
    for (qsizetype i = m_entries.size() - 1; i >= 0; --i) {
        const QStringList lines = m_messages[i].split(u'\n');
        const bool fits = m_bExpanded || lines.size() <= room;
        QString shown = m_messages[i];
        if (!fits && room > 0)
            shown = lines.mid(0, room).join(u'\n') + QStringLiteral(" \u2026");
        m_entries[i].text->setText(shown);
        m_entries[i].row->setVisible(m_bExpanded || room > 0);
        cut = cut || !fits;
        room = std::max(0, room - static_cast<int>(lines.size()));
    }
    m_pMore->setVisible(cut || m_bExpanded);
    m_pMore->setText(m_bExpanded ? tr("&Less") : tr("&More"));
    if (m_messages.isEmpty())
        m_bExpanded = false;
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
