#include "Csv.h"

#include "NumberFormat.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalXml.h"
#include "Vocabulary.h"

#include <QCoreApplication>

#include <QRegularExpression>

#include <algorithm>

#include <tuple>

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

bool ReadCsv(const QByteArray& data, CsvTable& table, QString& why, int& line) {
    const QString text = QString::fromUtf8(data.startsWith("\xEF\xBB\xBF") ? data.mid(3) : data);
    QStringList record;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int at = 1;
    int start = 1;
    const auto endRecord = [&] {
        record << field;
        if (!(record.size() == 1 && record.front().isEmpty() && !fieldStarted)) {
            table.records << record;
            table.lines << start;
        }
        record.clear();
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++at;
                field += c;
            }
        } else if (c == u'"' && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
            fieldStarted = true;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;
        } else if (c == u'\n') {
            endRecord();
            start = ++at;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        why = QCoreApplication::translate("Csv", "a quoted field is not closed");
        line = start;
        return false;
    }
    if (fieldStarted || !field.isEmpty() || !record.isEmpty())
        endRecord();
    return true;
}

int CsvColumnNamed(const QString& heading) {
    const QString wanted = heading.trimmed();
    for (int column = 0; column < SignalColumnCount; ++column) {
        if (wanted.compare(QStringView(SignalColumnHeading(column)), Qt::CaseInsensitive) == 0 ||
            wanted.compare(QLatin1String(SignalColumnKey(column)), Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

namespace {

bool IsNumberText(const QString& text, bool count) {
    if (text == QLatin1String("*"))
        return true;
    if (count) {
        bool ok = false;
        return text.toUInt(&ok) < 2147483648U && ok;
    }
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    return !view.empty() && RealPrefixLength(view) == view.size();
}

std::string Number(const QString& text) {
    return text == QLatin1String("*") ? std::string("-1") : text.toStdString();
}

} // namespace

bool SignalFromCsv(const QList<int>& columns, const QStringList& cells, CSignalDescription& s,
                   QString& why) {
    QString cell[SignalColumnCount];
    for (qsizetype i = 0; i < cells.size() && i < columns.size(); ++i) {
        if (columns[i] < 0)
            continue;
        QString text = cells[i];
        // A cell Export made safe for a spreadsheet: its text is what follows the '.
        if (text.size() > 1 && text.front() == u'\'' &&
            QStringLiteral("=+-@\t\r").contains(text[1]))
            text.remove(0, 1);
        cell[columns[i]] = text;
    }
    SignalReadNotes notes;
    const auto attribute = [&](std::string_view name, const QString& text) {
        CSignalXml::ReadAttribute(s, name, text.toStdString(), notes);
    };
    const auto child = [&](std::string_view name, const QString& text) {
        if (!text.isEmpty())
            CSignalXml::ReadChild(s, name, text.toStdString(), notes);
    };
    // A count with its minimum: "12 (min. 8)", "* (min. 2)", "12".
    const auto count = [&](int column, std::string_view value, std::string_view minimum) {
        const QString text = cell[column].trimmed();
        if (text.isEmpty())
            return true;
        const qsizetype open = text.indexOf(QStringLiteral(" (min. "));
        const QString main = open < 0 ? text : text.left(open);
        QString least;
        if (open >= 0) {
            if (!text.endsWith(u')'))
                return false;
            least = text.mid(open + 7, text.size() - open - 8);
        }
        if (!IsNumberText(main, true) || (open >= 0 && !IsNumberText(least, true)))
            return false;
        CSignalXml::ReadChild(s, value, Number(main), notes);
        if (open >= 0)
            CSignalXml::ReadChild(s, minimum, Number(least), notes);
        return true;
    };
    attribute("Name", cell[ColumnName]);
    attribute("Mode",
              cell[ColumnDecoder].isEmpty() ? QStringLiteral("no-mode") : cell[ColumnDecoder]);
    attribute("Modulation", cell[ColumnModulation]);
    child("Submode", cell[ColumnSubcarrier]);
    const struct {
        int column;
        const char* element;
    } reals[] = {{ColumnBaudrate, "Baudrate"},
                 {ColumnShift, s.m_nModulation == ModulationMfsk ? "Spacing" : "Shift"},
                 {ColumnBandwidth, "Bandwidth"},
                 {ColumnPilotFrequency, "PilotFrequency"}};
    for (const auto& real : reals) {
        const QString text = cell[real.column].trimmed();
        if (text.isEmpty())
            continue;
        if (!IsNumberText(text, false)) {
            why = QCoreApplication::translate("Csv", "%1: %2 is not a number")
                      .arg(QStringView(SignalColumnHeading(real.column)), text);
            return false;
        }
        CSignalXml::ReadChild(s, real.element, Number(text), notes);
    }
    for (const auto& [column, value, minimum] :
         {std::tuple{ColumnNumTones, "NumTones", "NumTonesMin"},
          std::tuple{ColumnNumChannels, "NumChannels", "NumChannelsMin"},
          std::tuple{ColumnCodecheckCounter, "CodecheckCounter", ""}}) {
        if (!count(column, value, minimum)) {
            why = QCoreApplication::translate("Csv", "%1: %2 is not a number")
                      .arg(QStringView(SignalColumnHeading(column)), cell[column]);
            return false;
        }
    }
    if (s.m_nModulation != ModulationMfsk)
        child("Spacing", cell[ColumnSpacing]);
    child("ITU", cell[ColumnITU]);
    child("Comment", cell[ColumnComment]);
    return true;
}

bool ImportCsv(const QByteArray& data, CsvImport& result, QString& why, int& line) {
    CsvTable table;
    if (!ReadCsv(data, table, why, line))
        return false;
    if (table.records.isEmpty() ||
        std::none_of(
            table.records.front().begin(), table.records.front().end(),
            [](const QString& heading) { return CsvColumnNamed(heading) == ColumnName; })) {
        why = QCoreApplication::translate("Csv", "no Name column");
        line = table.lines.value(0, 1);
        return false;
    }
    result.headingLine = table.lines.front();
    QList<int> columns;
    for (const QString& heading : table.records.front()) {
        columns << CsvColumnNamed(heading);
        if (columns.back() < 0)
            result.unknownColumns << heading;
    }
    for (qsizetype row = 1; row < table.records.size(); ++row) {
        auto signal = std::make_unique<CSignalDescription>();
        QString problem;
        // Checked as the edit dialog checks a signal; the fields stay as the row gives them.
        if (SignalFromCsv(columns, table.records[row], *signal, problem)) {
            if (const char16_t* message = signal->Check(false))
                problem = QStringView(message).toString();
        }
        if (!problem.isEmpty()) {
            result.refused.append({table.lines[row], problem});
            continue;
        }
        signal->m_bInvalid = false;
        result.records.push_back(std::move(signal));
    }
    return true;
}
