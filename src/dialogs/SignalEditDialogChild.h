#pragma once

#include <QWidget>

class CSignalEditDialog;
class QComboBox;
class QLineEdit;

// One modulation parameter page of the signal edit dialog (FSK, MFSK, PSK or OFDM). The
// page knows nothing of the record: its owner fills and reads its controls by id.
class CSignalEditDialogChild : public QWidget {
    Q_OBJECT
public:
    enum Page { PageFSK = 315, PageMFSK = 316, PagePSK = 317, PageOFDM = 318 };

    CSignalEditDialogChild() = default;
    // Builds the page's controls for the template id, as a hidden child of the owner.
    bool Create(int templateId, CSignalEditDialog* owner);

    // The numeric edit with the given control id, or null where this page has none.
    QLineEdit* Edit(int id) const;
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    QComboBox* SubcarrierCombo() const { return m_pSubcarrier; }

private:
    void AddField(int id, const QString& label, const QString& unit);
    void AddSpacingButton();
    void OnBaudRateUpdate();
    void OnToneDurationUpdate();

    CSignalEditDialog* m_pOwner = nullptr;
    QComboBox* m_pSubcarrier = nullptr;
};
