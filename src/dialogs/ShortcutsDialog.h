#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QList>
#include <QMap>

#include <cstdint>

class QKeySequenceEdit;
class CAnnouncer;
class QLabel;
class QTableWidget;

// View > Configure Shortcuts: every command with its keys. A key is assigned to the selected
// command unless another command holds it (then it is refused, naming that command); Clear
// takes the command's keys away, Reset All gives every command the keys it came with. OK
// keeps the choices (CommandKeys), which every window follows at once and after a restart.
class CShortcutsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CShortcutsDialog(QWidget* parent = nullptr);
    ~CShortcutsDialog() override;

    // The keys the dialog would keep for a command.
    QList<QKeySequence> Keys(std::uint32_t id) const;
    // Assigns key to the command in row (what the Assign button does); false with the reason
    // shown when another command holds it.
    bool Assign(int row, const QKeySequence& key);
    int RowOf(std::uint32_t id) const;
    // What the dialog said last: the key captured, or what Assign did.
    QString Said() const;

public slots:
    void accept() override;

private:
    void Fill();
    void ShowKeys(int row);
    std::uint32_t Holder(const QKeySequence& key, std::uint32_t except) const;
    // Shows text below the key and has screen readers speak it as it comes.
    void Say(const QString& text);

    QTableWidget* m_pTable;
    QKeySequenceEdit* m_pKey;
    QLabel* m_pSaid;
    CAnnouncer* m_pAnnouncer;   // what m_pSaid shows, to screen readers as it changes
    QList<std::uint32_t> m_ids; // by row
    QMap<std::uint32_t, QList<QKeySequence>> m_keys;
    bool m_bReset = false;
};
