#include "MessageBar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

CMessageBar::CMessageBar(QWidget* parent)
    : QFrame(parent), m_pText(new QLabel(this)), m_pButtons(new QHBoxLayout) {
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
    close->setAccessibleName(tr("Close"));
    connect(close, &QToolButton::clicked, this, &CMessageBar::Dismiss);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 4, 4);
    row->addWidget(icon);
    row->addWidget(m_pText, 1);
    row->addLayout(m_pButtons);
    row->addWidget(close, 0, Qt::AlignTop);
    hide();
}

void CMessageBar::Show(const QString& text) {
    m_messages << text;
    m_pText->setText(m_messages.join(QStringLiteral("\n\n")));
    show();
}

void CMessageBar::ShowWithActions(const QString& text, const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        // Closed once the action ran: what it answered no longer needs saying.
        connect(button, &QToolButton::triggered, this, &CMessageBar::Dismiss, Qt::QueuedConnection);
        m_pButtons->addWidget(button);
    }
    Show(text);
}

void CMessageBar::Dismiss() {
    while (QLayoutItem* item = m_pButtons->takeAt(0)) {
        item->widget()->deleteLater();
        delete item;
    }
    m_messages.clear();
    m_pText->clear();
    hide();
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
