#include "Csv.h"

#include "SignalColumns.h"

#include <QRegularExpression>

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
    // One plain number ("-1", "1.5e+006") or the wildcard stays as it is: a spreadsheet reads
    // it as the value it is. Anything else that starts like a formula ("-1+2") is text.
    static const QRegularExpression plainNumber(
        QStringLiteral("^(?:[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|\\*)$"));
    if (cell.isEmpty() || !formulaStart.contains(cell.front()) ||
        plainNumber.match(cell).hasMatch())
        return cell;
    return u'\'' + cell;
}

QByteArray CsvHeadings(const std::function<QString(int column)>& heading) {
    QStringList fields;
    for (int column = 0; column < SignalColumnCount; ++column)
        fields << heading(column);
    return CsvRecord(fields);
}

QByteArray CsvCells(const CSignalDescription& signal) {
    QStringList fields;
    CellBuffer buffer;
    for (int column = 0; column < SignalColumnCount; ++column)
        fields << SpreadsheetSafe(QStringView(SignalCellText(signal, column, buffer)).toString());
    return CsvRecord(fields);
}
