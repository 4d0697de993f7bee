#pragma once

#include "SignalMatch.h"

#include <QWidget>

class QComboBox;
class QLineEdit;

// The bar above the list for finding signals by what was measured: family, baud or symbol
// rate, shift, bandwidth, tones, carriers and a tolerance. Every change asks again; Escape
// closes it and the list shows every signal in its sort again.
class CParameterBar : public QWidget {
    Q_OBJECT
public:
    explicit CParameterBar(QWidget* parent = nullptr);

    // Shows the bar with the cursor in the rate field.
    void Activate();
    void Close();
    // What the fields ask; a field that does not hold a number asks nothing.
    ParameterQuery Query() const;
    QLineEdit* Field(const char* name) const;
    QComboBox* Family() const { return m_pFamily; }

signals:
    void queryChanged();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_pFamily;
};
