#include "HelpWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), m_pBrowser(new QTextBrowser(this)),
      m_pContents(new QListWidget(this)), m_pFind(new QLineEdit(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Quarn Editor Help"));
    m_pBrowser->setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly))
        m_pBrowser->setMarkdown(QString::fromUtf8(guide.readAll()));
    m_pFind->setPlaceholderText(QStringLiteral("Find (Ctrl+F)"));
    m_pFind->setClearButtonEnabled(true);
    connect(m_pFind, &QLineEdit::returnPressed, this, [this] { FindNext(m_pFind->text()); });
    FillContents();
    connect(m_pContents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0)
            return;
        // The heading at the top of the text.
        QTextCursor cursor(m_pBrowser->document());
        cursor.setPosition(m_pContents->item(row)->data(Qt::UserRole).toInt());
        m_pBrowser->moveCursor(QTextCursor::End);
        m_pBrowser->setTextCursor(cursor);
        m_pBrowser->ensureCursorVisible();
    });
    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_pContents);
    splitter->addWidget(m_pBrowser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({180, 540});
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_pFind);
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

bool CHelpWindow::FindNext(const QString& text) {
    if (text.isEmpty())
        return false;
    if (m_pBrowser->find(text))
        return true;
    // From the start again.
    m_pBrowser->moveCursor(QTextCursor::Start);
    return m_pBrowser->find(text);
}
