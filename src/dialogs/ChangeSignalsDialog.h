#pragma once

#include "SignalChange.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QStackedWidget;

// Edit > Change Selected Signals: one field and its value for every selected signal. A
// number that is not one is a "Data Error" naming the field, as in the edit dialog.
class CChangeSignalsDialog : public QDialog {
    Q_OBJECT
public:
    explicit CChangeSignalsDialog(int selected, QWidget* parent = nullptr);

    // The change the dialog was accepted with.
    const SignalChange& Change() const { return m_change; }
    QComboBox* FieldCombo() const { return m_pField; }
    QComboBox* DecoderCombo() const { return m_pDecoder; }
    QLineEdit* CountEdit() const { return m_pCount; }
    QLineEdit* ValueEdit() const { return m_pValue; }
    QCheckBox* DisabledBox() const { return m_pDisabled; }

public slots:
    void accept() override;

private:
    void ShowField(int field);
    bool Refused(QLineEdit* edit, const QString& name, bool count);

    QComboBox* m_pField;
    QStackedWidget* m_pValues;
    QComboBox* m_pDecoder;
    QLineEdit* m_pCount;
    QLineEdit* m_pValue;
    QCheckBox* m_pDisabled;
    SignalChange m_change;
};
