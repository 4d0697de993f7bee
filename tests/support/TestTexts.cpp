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
    s.m_bInvalid = s.Validate(false) != nullptr;
    return s;
}

QByteArray TestData(const char* name) {
    QFile file(QStringLiteral(QUARN_TEST_DATA "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the test data %s", name);
    return file.readAll();
}
