#include "Csv.h"

#include <algorithm>

QByteArray CsvRecord(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const QByteArray field = fields[i].toUtf8();
        if (field.contains(',') || field.contains('"') || field.contains('\n') ||
            field.contains('\r')) {
            QByteArray quoted = field;
            quoted.replace('"', "\"\"");
            line += '"' + quoted + '"';
        } else {
            line += field;
        }
    }
    line += "\r\n";
    return line;
}

QString SpreadsheetSafe(const QString& cell) {
    static const QString formulaStart = QStringLiteral("=+-@\t\r");
    static const QString numeric = QStringLiteral("0123456789+-.,* eE");
    if (cell.isEmpty() || !formulaStart.contains(cell.front()))
        return cell;
    if (std::all_of(cell.begin(), cell.end(), [](QChar c) { return numeric.contains(c); }))
        return cell;
    return u'\'' + cell;
}
