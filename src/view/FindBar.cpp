#include "FindBar.h"

#include "AccessibleNames.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

CFindBar::CFindBar(QWidget* parent) : QWidget(parent), m_pEdit(new QLineEdit(this)) {
    setObjectName(QStringLiteral("FindBar"));
    m_pEdit->setObjectName(QStringLiteral("FindText"));
    m_pEdit->setPlaceholderText(tr("Name, decoder, modulation, ITU or comment"));
    m_pEdit->setClearButtonEnabled(true);
    m_pEdit->setAccessibleName(tr("Find"));
    // The clear button Qt adds is named by its action.
    for (QAction* action : m_pEdit->actions())
        action->setText(tr("Clear the find text"));
    m_pEdit->installEventFilter(this);
    auto* label = new QLabel(tr("&Find:"), this);
    label->setBuddy(m_pEdit);
    auto* close = new QToolButton(this);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(tr("Close (Esc)"));
    close->setAccessibleName(tr("Close the find bar"));
    close->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(label);
    layout->addWidget(m_pEdit, 1);
    layout->addWidget(close);
    connect(m_pEdit, &QLineEdit::textChanged, this, &CFindBar::findTextChanged);
    connect(close, &QToolButton::clicked, this, &CFindBar::Close);
    hide();
}

void CFindBar::Activate() {
    show();
    FocusSelected(m_pEdit);
}

void CFindBar::Close() {
    m_pEdit->clear();
    hide();
    emit closed();
}

bool TakeTypedKey(QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool typing = (key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == 0;
    const bool function = key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F35;
    if (!typing || function || key->key() == Qt::Key_Escape)
        return false;
    event->accept();
    return true;
}

bool CFindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pEdit && TakeTypedKey(event))
        return true;
    if (watched == m_pEdit && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
