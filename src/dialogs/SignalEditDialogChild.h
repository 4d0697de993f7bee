#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;

// One modulation parameter page of the signal edit dialog (FSK, MFSK, PSK or OFDM). The
// page knows nothing of the record or the dialog: its owner fills and reads its controls by
// id, and hears the "Edit ..." button through editSpacingRequested().
class CSignalEditDialogChild : public QWidget {
    Q_OBJECT
public:
    enum Page { PageFSK = 315, PageMFSK = 316, PagePSK = 317, PageOFDM = 318 };

    // Builds the page's controls, hidden, as a child of parent.
    CSignalEditDialogChild(Page page, QWidget* parent);

    // The numeric edit with the given control id, or null where this page has none.
    QLineEdit* Edit(int id) const;
    QString Text(int id) const;
    void SetText(int id, const QString& text);
    QComboBox* SubcarrierCombo() const { return m_pSubcarrier; }

signals:
    void editSpacingRequested();

private:
    void AddField(int id, const QString& label, const QString& unit);
    static QString UnitName(const QString& unit);
    void AddSpacingButton();
    void AddSubcarrierCombo(const QString& label);
    void OnBaudRateUpdate();
    void OnToneDurationUpdate();

    QComboBox* m_pSubcarrier = nullptr;
};
