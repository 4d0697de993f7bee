#include "Csv.h"

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
