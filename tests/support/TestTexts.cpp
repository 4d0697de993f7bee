#include "TestTexts.h"

#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalText.h"

#include <QFile>

QString Q(const char16_t* text) {
    return QStringView(text).toString();
}

QString Cell(const CSignalDescription& signal, int column) {
    CellBuffer buffer;
    return QStringView(SignalCellText(signal, column, buffer)).toString();
}

QStringList Names(const SignalCollection& records) {
    QStringList names;
    for (const auto& s : records)
        names << Q(s->m_szName);
    return names;
}

CSignalDescription FskRecord(const char16_t* name) {
    CSignalDescription s;
    CopyText(s.m_szName, name);
    s.m_nMode = 27;
    s.m_nModulation = 1;
    s.m_dBaudrate = 50;
    s.m_dShift = 170;
    s.m_nCodecheckCounter = 3;
    s.Settle(false);
    return s;
}

std::unique_ptr<CSignalDescription> NewRecord(const QString& name, int family, double baud,
                                              double shift, int channels) {
    auto s = std::make_unique<CSignalDescription>();
    CopyText(s->m_szName, name.toStdU16String());
    s->m_nModulation = family;
    s->m_dBaudrate = baud;
    s->m_dShift = shift;
    s->m_nNumChannels = channels;
    s->Settle(true);
    return s;
}

QByteArray TestData(const char* name) {
    QFile file(QStringLiteral(QUARN_TEST_DATA "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the test data %s", name);
    return file.readAll();
}
