#include "ShortcutsDialog.h"

#include "AccessibleNames.h"
#include "Announcer.h"
#include "CommandKeys.h"
#include "CommandTable.h"
#include "Prompts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

CShortcutsDialog::CShortcutsDialog(QWidget* parent)
    : QDialog(parent), m_pTable(new QTableWidget(this)), m_pKey(new QKeySequenceEdit(this)),
      m_pSaid(new QLabel(this)), m_pAnnouncer(new CAnnouncer(this)) {
    setWindowTitle(tr("Configure Shortcuts"));
    setObjectName(QStringLiteral("ShortcutsDialog"));
    m_pTable->setColumnCount(2);
    m_pTable->setHorizontalHeaderLabels({tr("Command"), tr("Keys")});
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pTable->verticalHeader()->hide();
    m_pTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_pTable->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_pTable->setWordWrap(false);
    // Tab leaves the table for the next control; the arrows move within it.
    m_pTable->setTabKeyNavigation(false);
    SayCurrentCellOnFocus(m_pTable);
    m_pTable->setAccessibleName(tr("Commands and their keys"));
    auto* listLabel = new QLabel(tr("&Commands:"), this);
    listLabel->setBuddy(m_pTable);
    auto* keyLabel = new QLabel(tr("&New key:"), this);
    keyLabel->setBuddy(m_pKey);
    m_pKey->setAccessibleName(tr("New key for the selected command"));
    // The edit inside takes the focus: it carries the name.
    if (auto* inner = m_pKey->findChild<QLineEdit*>())
        inner->setAccessibleName(m_pKey->accessibleName());
    auto* assign = new QPushButton(tr("&Assign"), this);
    auto* clear = new QPushButton(tr("C&lear Keys"), this);
    auto* reset = new QPushButton(tr("&Reset All"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(listLabel, 0, 0, 1, 4);
    grid->addWidget(m_pTable, 1, 0, 1, 4);
    grid->addWidget(keyLabel, 2, 0);
    grid->addWidget(m_pKey, 2, 1);
    grid->addWidget(assign, 2, 2);
    grid->addWidget(clear, 2, 3);
    m_pSaid->setObjectName(QStringLiteral("shortcutsSaid"));
    m_pSaid->setWordWrap(true);
    grid->addWidget(m_pSaid, 3, 0, 1, 4);
    grid->addWidget(reset, 4, 0);
    grid->addWidget(buttons, 4, 1, 1, 3);
    // The menus' commands in the menus' order, then those only a key runs.
    for (std::uint32_t id : MenuOrder()) {
        if (FindCommand(id) != nullptr && !m_ids.contains(id))
            m_ids << id;
    }
    for (const CommandInfo& command : Commands()) {
        if (!m_ids.contains(command.id) && !DefaultCommandKeys(command.id).isEmpty())
            m_ids << command.id;
    }
    for (std::uint32_t id : m_ids)
        m_keys[id] = CommandKeys(id);
    Fill();
    connect(assign, &QPushButton::clicked, this, [this] {
        if (Assign(m_pTable->currentRow(), m_pKey->keySequence()))
            m_pKey->clear();
    });
    // The key pressed is said, with who holds it already. The field takes every key, Tab and
    // Esc too: once a key is captured the focus goes on to Assign, so the keyboard can leave.
    connect(m_pKey, &QKeySequenceEdit::editingFinished, this, [this, assign] {
        const QKeySequence key = m_pKey->keySequence();
        if (key.isEmpty())
            return;
        if (m_pKey->hasFocus())
            assign->setFocus(Qt::OtherFocusReason);
        const int row = m_pTable->currentRow();
        const std::uint32_t holder = Holder(key, row >= 0 ? m_ids[row] : 0);
        const QString text = key.toString(QKeySequence::NativeText);
        Say(holder != 0 ? tr("%1, already the key of \u201C%2\u201D").arg(text, CommandPath(holder))
                        : tr("%1: Assign gives it to the selected command").arg(text));
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        const int row = m_pTable->currentRow();
        if (row >= 0) {
            m_keys[m_ids[row]].clear();
            ShowKeys(row);
        }
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        for (std::uint32_t id : m_ids)
            m_keys[id] = DefaultCommandKeys(id);
        m_bReset = true;
        Fill();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &CShortcutsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CShortcutsDialog::reject);
    resize(560, 480);
}

void CShortcutsDialog::Fill() {
    m_pTable->setRowCount(static_cast<int>(m_ids.size()));
    for (int row = 0; row < m_ids.size(); ++row) {
        m_pTable->setItem(row, 0, new QTableWidgetItem(CommandPath(m_ids[row])));
        ShowKeys(row);
    }
    if (m_pTable->currentRow() < 0 && !m_ids.isEmpty())
        m_pTable->setCurrentCell(0, 0);
}

void CShortcutsDialog::ShowKeys(int row) {
    m_pTable->setItem(row, 1, new QTableWidgetItem(KeysText(m_keys.value(m_ids[row]))));
}

std::uint32_t CShortcutsDialog::Holder(const QKeySequence& key, std::uint32_t except) const {
    for (auto it = m_keys.begin(); it != m_keys.end(); ++it) {
        if (it.key() != except && it.value().contains(key))
            return it.key();
    }
    return 0;
}

QList<QKeySequence> CShortcutsDialog::Keys(std::uint32_t id) const {
    return m_keys.value(id);
}

int CShortcutsDialog::RowOf(std::uint32_t id) const {
    return static_cast<int>(m_ids.indexOf(id));
}

bool CShortcutsDialog::Assign(int row, const QKeySequence& key) {
    if (row < 0 || row >= m_ids.size() || key.isEmpty())
        return false;
    const std::uint32_t id = m_ids[row];
    if (const std::uint32_t holder = Holder(key, id)) {
        CPrompts::Message(this, QMessageBox::Warning, windowTitle(),
                          tr("%1 is already the key of \u201C%2\u201D.")
                              .arg(key.toString(QKeySequence::NativeText), CommandPath(holder)));
        return false;
    }
    QList<QKeySequence>& keys = m_keys[id];
    if (!keys.contains(key))
        keys << key;
    ShowKeys(row);
    Say(tr("%1 is now a key of \u201C%2\u201D")
            .arg(key.toString(QKeySequence::NativeText), CommandPath(id)));
    return true;
}

CShortcutsDialog::~CShortcutsDialog() {
    // The key's edit ends its editing as the widgets go: the dialog no longer hears it.
    disconnect(m_pKey, nullptr, this, nullptr);
}

QString CShortcutsDialog::Said() const {
    return m_pSaid->text();
}

void CShortcutsDialog::Say(const QString& text) {
    m_pSaid->setText(text);
    // Readers speak a notification as it appears; a label's change they leave unsaid.
    m_pAnnouncer->Say(text);
}

void CShortcutsDialog::accept() {
    if (m_bReset)
        ResetCommandKeys();
    for (std::uint32_t id : m_ids) {
        if (m_keys.value(id) != CommandKeys(id))
            SetCommandKeys(id, m_keys.value(id));
    }
    QDialog::accept();
}
