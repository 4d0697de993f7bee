#include "HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_pBrowser(new QTextBrowser(this)),
      m_pContents(new QListWidget(this)), m_pFind(new QLineEdit(this)),
      m_pBack(new QAction(QIcon::fromTheme(QStringLiteral("go-previous")), tr("Back"), this)),
      m_pForward(new QAction(QIcon::fromTheme(QStringLiteral("go-next")), tr("Forward"), this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Quarn Editor Help"));
    m_pBrowser->setOpenExternalLinks(true);
    // A caret: the guide is read line by line with the arrow keys, as a screen reader's
    // user reads a document.
    m_pBrowser->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    QFile guide(QStringLiteral(":/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly))
        m_pBrowser->setMarkdown(QString::fromUtf8(guide.readAll()));
    m_pFind->setPlaceholderText(tr("Find (Ctrl+F)"));
    m_pFind->setAccessibleName(tr("Find in the guide"));
    m_pBrowser->setAccessibleName(tr("User guide"));
    m_pContents->setAccessibleName(tr("Contents"));
    m_pFind->setClearButtonEnabled(true);
    connect(m_pFind, &QLineEdit::returnPressed, this, [this] { FindNext(m_pFind->text()); });
    FillContents();
    connect(m_pContents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            GoTo(m_pContents->item(row)->data(Qt::UserRole).toInt());
    });
    m_pBack->setShortcut(QKeySequence::Back);
    m_pForward->setShortcut(QKeySequence::Forward);
    for (QAction* move : {m_pBack, m_pForward})
        move->setShortcutContext(Qt::WindowShortcut);
    addActions({m_pBack, m_pForward});
    connect(m_pBack, &QAction::triggered, this, [this] { Return(m_back, m_forward); });
    connect(m_pForward, &QAction::triggered, this, [this] { Return(m_forward, m_back); });
    UpdateMoves();
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_pContents);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 540});
    auto* row = new QHBoxLayout;
    for (QAction* move : {m_pBack, m_pForward}) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(move);
        button->setToolButtonStyle(Qt::ToolButtonFollowStyle);
        row->addWidget(button);
    }
    row->addWidget(m_pFind, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(splitter, 1);
    const auto onKey = [this](const QKeySequence& key, auto slot) {
        auto* shortcut = new QShortcut(key, this);
        connect(shortcut, &QShortcut::activated, this, slot);
    };
    onKey(QKeySequence(Qt::Key_Escape), [this] { close(); });
    onKey(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
    onKey(QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        m_pFind->setFocus();
        m_pFind->selectAll();
    });
    resize(720, 640);
    // The guide has the focus when the window opens.
    m_pBrowser->setFocus();
}

void CHelpWindow::FillContents() {
    for (QTextBlock block = m_pBrowser->document()->begin(); block.isValid();
         block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 0)
            continue;
        auto* item = new QListWidgetItem(QString(2 * (level - 1), u' ') + block.text());
        item->setData(Qt::UserRole, block.position());
        m_pContents->addItem(item);
    }
}

int CHelpWindow::Place() const {
    return m_pBrowser->verticalScrollBar()->value();
}

void CHelpWindow::GoTo(int position) {
    m_back.push_back(Place());
    m_forward.clear();
    // The heading at the top of the text.
    QTextCursor cursor(m_pBrowser->document());
    cursor.setPosition(position);
    m_pBrowser->moveCursor(QTextCursor::End);
    m_pBrowser->setTextCursor(cursor);
    m_pBrowser->ensureCursorVisible();
    UpdateMoves();
}

void CHelpWindow::Return(std::vector<int>& from, std::vector<int>& to) {
    if (from.empty())
        return;
    to.push_back(Place());
    m_pBrowser->verticalScrollBar()->setValue(from.back());
    from.pop_back();
    UpdateMoves();
}

void CHelpWindow::UpdateMoves() {
    m_pBack->setEnabled(!m_back.empty());
    m_pForward->setEnabled(!m_forward.empty());
}

bool CHelpWindow::FindNext(const QString& text) {
    if (text.isEmpty())
        return false;
    if (m_pBrowser->find(text))
        return true;
    // From the start again.
    m_pBrowser->moveCursor(QTextCursor::Start);
    return m_pBrowser->find(text);
}
