#pragma once

#include "SignalDescription.h"
#include "SignalEditDialogChild.h"
#include "StorableText.h"

#include <QDialog>
#include <QHash>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Signal Parameters Editor": the modal editor of one record. The caller's record is
// overwritten only by an OK whose values pass the strict validation.
class CSignalEditDialog : public QDialog {
    Q_OBJECT
public:
    CSignalEditDialog(CSignalDescription* signal, QWidget* parent = nullptr);

    // Runs the editor on signal; true when the record was overwritten.
    static bool Edit(QWidget* parent, CSignalDescription& signal);
    int DoModal();
    // Shows the editor inside another window (the details pane): no frame of its own, OK
    // named Apply (Enter, as OK) and Cancel named Revert.
    void UseAsPane();

    int GetCheckedModulation() const;
    void ShowModulationPage(int family);
    void OnEditSpacing();
    // Builds a fresh record from the controls alone (OK's steps before validation).
    void BuildRecord(CSignalDescription& record) const;
    void accept() override;

    // Controls, for the pages and for tests.
    QRadioButton* FamilyButton(int family) const;
    CSignalEditDialogChild& Page(int family);
    QLineEdit* NameEdit() const { return m_pName; }
    QComboBox* DecoderCombo() const { return m_pDecoder; }
    QComboBox* ModulationCombo() const { return m_pModulation; }
    QLineEdit* CodecheckEdit() const { return m_pCodecheck; }
    QCheckBox* DisabledCheck() const { return m_pDisabled; }
    QLineEdit* ITUEdit() const { return m_pITU; }
    CCommentEdit* CommentEdit() const { return m_pComment; }
    QLabel* CommentRoom() const { return m_pCommentRoom; }
    QPushButton* OkButton() const { return m_pOk; }
    const char16_t* PendingSpacing() const { return m_szPendingSpacing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHBoxLayout* FamilyRow();
    QGridLayout* CommonFields();
    QWidget* Pages();
    void OnInitDialog();
    void OnModulationClicked();
    void FixFamilyTabStop();
    void OnDecoderSelChange();
    void ShowCommentRoom();
    // The label's text of a field, as a name in a message ("Baud rate").
    QString FieldName(const QWidget* field) const;
    // The first changed number field of the shown page whose text is not a whole number.
    QLineEdit* NotANumber();
    // The field a validation message is about, or null.
    QWidget* FieldAtFault(SignalProblem problem);
    // "Data Error" with message; the field at fault takes the focus, its text selected.
    void ShowDataError(const QString& message, QWidget* field);
    void FillPages();
    // The carrier fields of the FSK and PSK pages; the spacing is the pending one.
    void ReadCarriers(const CSignalEditDialogChild& page, CSignalDescription& record) const;
    // True when the edit still shows what it was filled with.
    bool Untouched(const QLineEdit* edit) const;
    // A page's number: the stored value while its edit is untouched, else the parsed text.
    double Real(const CSignalEditDialogChild& page, int id, double stored,
                double (*parse)(const QString&)) const;
    std::int32_t Count(const CSignalEditDialogChild& page, int id, std::int32_t stored,
                       std::int32_t (*parse)(const QString&)) const;

    CSignalDescription* m_pSignal;
    char16_t m_szPendingSpacing[CSignalDescription::SpacingCapacity] = {};
    CSignalEditDialogChild* m_pPageFSK = nullptr;
    CSignalEditDialogChild* m_pPageMFSK = nullptr;
    CSignalEditDialogChild* m_pPagePSK = nullptr;
    CSignalEditDialogChild* m_pPageOFDM = nullptr;

    QButtonGroup* m_pFamilies;
    QLineEdit* m_pName;
    QComboBox* m_pDecoder;
    QComboBox* m_pModulation;
    QLineEdit* m_pCodecheck;
    QCheckBox* m_pDisabled;
    QLineEdit* m_pITU;
    CCommentEdit* m_pComment;
    QLabel* m_pCommentRoom;
    QPushButton* m_pOk;
    QPushButton* m_pCancel = nullptr;
    QHash<const QObject*, QString> m_filledTexts;
};
