#include "LocalDecimal.h"

#include <QLocale>

QString LocalDecimal(QString text) {
    const QString point = QLocale().decimalPoint();
    if (point.size() == 1 && point != QLatin1String("."))
        text.replace(u'.', point.front());
    return text;
}
