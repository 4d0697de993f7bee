#include "ParameterBar.h"

#include "AccessibleNames.h"
#include "FindBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace {

struct FieldInfo {
    const char* name;
    const char* label;
    const char* unit;
};

const FieldInfo Fields[] = {
    {"baud", QT_TRANSLATE_NOOP("CParameterBar", "&Baud:"), "Bd"},
    {"shift", QT_TRANSLATE_NOOP("CParameterBar", "S&hift:"), "Hz"},
    {"bandwidth", QT_TRANSLATE_NOOP("CParameterBar", "Band&width:"), "Hz"},
    {"tones", QT_TRANSLATE_NOOP("CParameterBar", "T&ones:"), ""},
    {"carriers", QT_TRANSLATE_NOOP("CParameterBar", "C&arriers:"), ""},
    {"tolerance", QT_TRANSLATE_NOOP("CParameterBar", "&Tolerance:"), ""},
};

const SignalFilter Families[] = {SignalFilter::All,
                                 SignalFilter::Fsk,
                                 SignalFilter::Mfsk,
                                 SignalFilter::FskMulticarrier,
                                 SignalFilter::Ofdm,
                                 SignalFilter::Psk,
                                 SignalFilter::PskMulticarrier};

} // namespace

CParameterBar::CParameterBar(QWidget* parent) : QWidget(parent), m_pFamily(new QComboBox(this)) {
    setObjectName(QStringLiteral("ParameterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* familyLabel = new QLabel(tr("&Family:"), this);
    familyLabel->setBuddy(m_pFamily);
    m_pFamily->addItems({tr("All"), tr("FSK"), tr("MFSK"), tr("FSK Multicarrier"), tr("OFDM"),
                         tr("PSK"), tr("PSK Multicarrier")});
    m_pFamily->installEventFilter(this);
    layout->addWidget(familyLabel);
    layout->addWidget(m_pFamily);
    connect(m_pFamily, &QComboBox::currentIndexChanged, this, &CParameterBar::queryChanged);
    for (const FieldInfo& field : Fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(field.name));
        edit->setMaximumWidth(90);
        edit->installEventFilter(this);
        auto* label = new QLabel(tr(field.label), this);
        label->setBuddy(edit);
        layout->addWidget(label);
        layout->addWidget(edit);
        if (field.unit[0] != '\0')
            edit->setAccessibleDescription(tr("in %1").arg(QLatin1String(field.unit)));
        connect(edit, &QLineEdit::textChanged, this, &CParameterBar::queryChanged);
    }
    Field("tolerance")->setText(QStringLiteral("5 %"));
    Field("tolerance")
        ->setAccessibleDescription(tr("a percentage such as 5 %, or a number in the value's unit"));
    auto* close = new QToolButton(this);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close->setAutoRaise(true);
    close->setToolTip(tr("Close (Esc)"));
    close->setAccessibleName(tr("Close the find by parameters"));
    close->setFocusPolicy(Qt::NoFocus);
    layout->addStretch();
    layout->addWidget(close);
    connect(close, &QToolButton::clicked, this, &CParameterBar::Close);
    NameByLabels(this);
    hide();
}

QLineEdit* CParameterBar::Field(const char* name) const {
    return findChild<QLineEdit*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void CParameterBar::Activate() {
    show();
    FocusSelected(Field("baud"));
}

void CParameterBar::Close() {
    hide();
    emit closed();
}

ParameterQuery CParameterBar::Query() const {
    ParameterQuery query;
    query.filter = Families[std::max(0, m_pFamily->currentIndex())];
    const auto value = [this](const char* name) {
        // The desktop's decimal comma is taken as the point.
        QString text = Field(name)->text().trimmed();
        if (text.count(u',') == 1 && !text.contains(u'.'))
            text.replace(u',', u'.');
        double number = 0;
        return ParseAskedValue(text.toStdString(), number) ? number : 0.0;
    };
    query.baud = value("baud");
    query.shift = value("shift");
    query.bandwidth = value("bandwidth");
    const double tones = value("tones");
    const double carriers = value("carriers");
    query.tones = tones == std::floor(tones) && tones < 2147483647 ? int(tones) : 0;
    query.carriers = carriers == std::floor(carriers) && carriers < 2147483647 ? int(carriers) : 0;
    QString tolerance = Field("tolerance")->text();
    if (tolerance.count(u',') == 1 && !tolerance.contains(u'.'))
        tolerance.replace(u',', u'.');
    if (!ParseTolerance(tolerance.toStdString(), query)) {
        query.tolerance = 0.05; // the default while the field holds no tolerance
        query.relative = true;
    }
    return query;
}

bool CParameterBar::eventFilter(QObject* watched, QEvent* event) {
    // Typed keys belong to the fields; Escape closes the bar.
    if (TakeTypedKey(event))
        return true;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
