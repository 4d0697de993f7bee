#include "Csv.h"

#include "NumberFormat.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalXml.h"
#include "StoredFieldText.h"
#include "Vocabulary.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTranslator>

#include <algorithm>
#include <array>
#include <optional>
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
    // A leading ' is guarded too: a spreadsheet would take it for the mark of a text.
    static const QString formulaStart = QStringLiteral("=+-@\t\r'");
    // One plain number ("-1", "1.5e+006") or the wildcard stays as it is: a spreadsheet reads
    // it as the value it is. Anything else that starts like a formula ("-1+2") is text.
    static const QRegularExpression plainNumber(
        QStringLiteral("^(?:[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?|\\*)$"));
    if (cell.isEmpty() || !formulaStart.contains(cell.front()) ||
        plainNumber.match(cell).hasMatch())
        return cell;
    return u'\'' + cell;
}

namespace {

using Id = StoredFieldId;

QString Heading(const StoredField& field, bool translated) {
    return translated ? QCoreApplication::translate("Signal", field.heading)
                      : QString::fromLatin1(field.heading);
}

// A count as the list shows it with its minimum: "12 (min. 8)".
QString CountWithMinimum(const CSignalDescription& s, Id count, Id minimum) {
    QString text = StoredFieldText(s, StoredFieldOf(count));
    const std::int32_t least = minimum == Id::NumTonesMin ? s.m_nNumTonesMin : s.m_nNumChannelsMin;
    if (!text.isEmpty() && least != 0)
        text += QStringLiteral(" (min. %1)").arg(least);
    return text;
}

QString CellText(const CSignalDescription& s, const StoredField& field, bool csv) {
    switch (field.id) {
    case Id::Baudrate:
        // An OFDM rate that was missing is shown as the wildcard but saved as missing: the
        // spreadsheet gets it missing.
        if (s.m_dBaudrate == -1 && s.InvalidProblem() == SignalProblem::NoSymbolRate)
            return QString();
        return StoredFieldText(s, field);
    case Id::NumTones:
        return CountWithMinimum(s, Id::NumTones, Id::NumTonesMin);
    case Id::NumChannels:
        return CountWithMinimum(s, Id::NumChannels, Id::NumChannelsMin);
    case Id::Spacing: {
        QString text = StoredFieldText(s, field);
        if (csv && !text.contains(u' '))
            text.replace(u',', QStringLiteral(", "));
        return text;
    }
    default:
        return StoredFieldText(s, field);
    }
}

} // namespace

const QList<const StoredField*>& CsvFields() {
    static const QList<const StoredField*> fields = [] {
        QList<const StoredField*> all;
        for (int column = 0; column < SignalColumnCount; ++column) {
            for (const StoredField& field : StoredFields()) {
                if (field.column == column)
                    all << &field;
            }
        }
        for (const StoredField& field : StoredFields()) {
            if (field.column < 0 && field.heading != nullptr)
                all << &field;
        }
        return all;
    }();
    return fields;
}

QByteArray CsvHeadings(bool translated) {
    QStringList headings;
    for (const StoredField* field : CsvFields())
        headings << Heading(*field, translated);
    return CsvRecord(headings);
}

QByteArray CsvCells(const CSignalDescription& signal) {
    QStringList cells;
    for (const StoredField* field : CsvFields())
        cells << SpreadsheetSafe(CellText(signal, *field, true));
    return CsvRecord(cells);
}

QList<SheetCell> SheetHeadings(bool translated) {
    QList<SheetCell> headings;
    for (const StoredField* field : CsvFields())
        headings << SheetCell{Heading(*field, translated), false};
    return headings;
}

QList<SheetCell> SheetCells(const CSignalDescription& signal) {
    QList<SheetCell> cells;
    for (const StoredField* field : CsvFields()) {
        QString text = CellText(signal, *field, false);
        const bool numeric = field->kind == StoredFieldKind::Real ||
                             field->kind == StoredFieldKind::Count ||
                             field->kind == StoredFieldKind::Flag;
        const bool number = numeric && !text.isEmpty() && text != u'*' && !text.contains(u'(');
        cells << SheetCell{std::move(text), number};
    }
    return cells;
}

QChar CsvSeparator(const QString& text) {
    int counts[3] = {};
    static const QChar separators[3] = {u',', u';', u'\t'};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        for (int i = 0; i < 3; ++i)
            counts[i] += !quoted && c == separators[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return separators[best];
}

CsvRowReader::CsvRowReader(QChar separator, Row row)
    : m_cSeparator(separator), m_row(std::move(row)) {}

void CsvRowReader::Feed(QStringView text) {
    for (const QChar c : text) {
        if (m_bPending && Step(m_cPending, c)) {
            m_bPending = false;
            continue;
        }
        m_cPending = c;
        m_bPending = true;
    }
}

bool CsvRowReader::Finish(QString& why, int& line) {
    if (m_bPending)
        Step(m_cPending, std::nullopt);
    m_bPending = false;
    if (m_bQuoted) {
        why = QCoreApplication::translate("Csv", "a quoted field is not closed");
        line = m_nStart;
        return false;
    }
    if (m_bFieldStarted || !m_field.isEmpty() || !m_record.isEmpty())
        EndRecord();
    return true;
}

bool CsvRowReader::Step(QChar c, std::optional<QChar> next) {
    // CR LF, LF and CR alone each end a line.
    const bool lineEnd = c == u'\n' || (c == u'\r' && next != u'\n');
    if (m_bQuoted) {
        if (c == u'"' && next == u'"') {
            m_field += u'"';
            return true;
        }
        if (c == u'"') {
            m_bQuoted = false;
        } else {
            if (lineEnd)
                ++m_nAt;
            m_field += c;
        }
    } else if (c == u'"' && m_field.isEmpty()) {
        m_bQuoted = true;
        m_bFieldStarted = true;
    } else if (c == m_cSeparator) {
        m_record << m_field;
        m_field.clear();
        m_bFieldStarted = true;
    } else if (c == u'\r' && !lineEnd) {
        // the CR of a CR LF: the LF ends the line
    } else if (lineEnd) {
        EndRecord();
        m_nStart = ++m_nAt;
    } else {
        m_field += c;
        m_bFieldStarted = true;
    }
    return false;
}

void CsvRowReader::EndRecord() {
    m_record << m_field;
    if (!(m_record.size() == 1 && m_record.front().isEmpty() && !m_bFieldStarted))
        m_row(m_record, m_nStart);
    m_record.clear();
    m_field.clear();
    m_bFieldStarted = false;
}

bool ReadCsv(const QString& text, QChar separator, CsvTable& table, QString& why, int& line) {
    CsvRowReader reader(separator, [&table](QStringList& cells, int at) {
        table.records << cells;
        table.lines << at;
    });
    reader.Feed(text);
    return reader.Finish(why, line);
}

namespace {

// The translations the program carries, each language once: a heading is read in any of them.
// Loaded once and never freed: they stay reachable until the process ends.
const QList<QTranslator*>& HeadingTranslators() {
    static const QList<QTranslator*>* const translators = [] {
        auto* loaded = new QList<QTranslator*>;
        const QDir folder(QStringLiteral(":/i18n"));
        for (const QString& name : folder.entryList({QStringLiteral("*.qm")}, QDir::Files)) {
            auto* translator = new QTranslator;
            if (translator->load(folder.filePath(name)))
                *loaded << translator;
            else
                delete translator;
        }
        return loaded;
    }();
    return *translators;
}

} // namespace

const StoredField* CsvFieldNamed(const QString& heading) {
    const QString wanted = heading.trimmed();
    const auto is = [&wanted](const QString& name) {
        return !name.isEmpty() && wanted.compare(name, Qt::CaseInsensitive) == 0;
    };
    for (const StoredField* field : CsvFields()) {
        if (is(QString::fromLatin1(field->heading)) || is(QString::fromLatin1(field->key)) ||
            is(QCoreApplication::translate("Signal", field->heading)))
            return field;
        for (const QTranslator* translator : HeadingTranslators()) {
            if (is(translator->translate("Signal", field->heading)))
                return field;
        }
    }
    return nullptr;
}

namespace {

bool IsNumberText(const QString& text, bool count) {
    if (text == QLatin1String("*"))
        return true;
    if (count) {
        bool ok = false;
        text.toInt(&ok);
        return ok;
    }
    const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                   static_cast<std::size_t>(text.size()));
    return !view.empty() && RealPrefixLength(view) == view.size();
}

std::string Number(const QString& text) {
    return text == QLatin1String("*") ? std::string("-1") : text.toStdString();
}

// A cell Export made safe for a spreadsheet: its text is what follows the '.
QString Unguarded(const QString& text) {
    if (text.size() > 1 && text.front() == u'\'' && QStringLiteral("=+-@\t\r'").contains(text[1]))
        return text.mid(1);
    return text;
}

QString NotANumber(const StoredField& field, const QString& text) {
    return QCoreApplication::translate("Csv", "%1: %2 is not a number")
        .arg(QString::fromLatin1(field.heading), text);
}

} // namespace

bool SignalFromCsv(const QList<const StoredField*>& fields, const QStringList& cells,
                   CSignalDescription& s, CsvReading reading, QString& why) {
    constexpr std::size_t Count = static_cast<std::size_t>(Id::Markup) + 1;
    std::array<QString, Count> cell;
    std::array<bool, Count> given{};
    for (qsizetype i = 0; i < cells.size() && i < fields.size(); ++i) {
        if (fields[i] == nullptr)
            continue;
        const auto id = static_cast<std::size_t>(fields[i]->id);
        cell[id] = reading.guarded ? Unguarded(cells[i]) : cells[i];
        given[id] = true;
    }
    const auto text = [&cell](Id id) -> const QString& {
        return cell[static_cast<std::size_t>(id)];
    };
    SignalReadNotes notes;
    // A text longer than its field is refused, not cut.
    const auto fits = [&](Id id, int cutBit, int capacity) {
        if ((notes.cut & cutBit) == 0)
            return true;
        why = QCoreApplication::translate("Csv", "%1: longer than %2 characters")
                  .arg(QString::fromLatin1(StoredFieldOf(id).heading))
                  .arg(capacity - 1);
        return false;
    };
    const auto attribute = [&](std::string_view name, const QString& value) {
        CSignalXml::ReadAttribute(s, name, value.toStdString(), notes);
    };
    const auto child = [&](std::string_view name, const QString& value) {
        if (!value.isEmpty())
            CSignalXml::ReadChild(s, name, value.toStdString(), notes);
    };
    // A count with its minimum: "12 (min. 8)", "* (min. 2)", "12".
    const auto count = [&](Id id, std::string_view value, std::string_view minimum) {
        const QString all = text(id).trimmed();
        if (all.isEmpty())
            return true;
        const qsizetype open = all.indexOf(QStringLiteral(" (min. "));
        const QString main = open < 0 ? all : all.left(open);
        QString least;
        if (open >= 0) {
            if (!all.endsWith(u')'))
                return false;
            least = all.mid(open + 7, all.size() - open - 8);
        }
        if (!IsNumberText(main, true) || (open >= 0 && !IsNumberText(least, true)))
            return false;
        CSignalXml::ReadChild(s, value, Number(main), notes);
        if (open >= 0)
            CSignalXml::ReadChild(s, minimum, Number(least), notes);
        return true;
    };
    attribute("Name", text(Id::Name));
    if (!fits(Id::Name, SignalReadNotes::CutName, CSignalDescription::NameCapacity))
        return false;
    attribute("Mode", text(Id::Decoder).isEmpty() ? QStringLiteral("no-mode") : text(Id::Decoder));
    attribute("Modulation", text(Id::Modulation));
    if (const QString disabled = text(Id::Disabled).trimmed(); !disabled.isEmpty()) {
        if (disabled != u'0' && disabled != u'1') {
            why = QCoreApplication::translate("Csv", "%1: %2 is not 0 or 1")
                      .arg(QString::fromLatin1(StoredFieldOf(Id::Disabled).heading), disabled);
            return false;
        }
        s.m_bDisabled = disabled == u'1';
    }
    child("Submode", text(Id::Subcarrier));
    const struct {
        Id id;
        const char* element;
    } reals[] = {{Id::Baudrate, "Baudrate"},
                 {Id::Shift, s.m_nModulation == ModulationMfsk ? "Spacing" : "Shift"},
                 {Id::Bandwidth, "Bandwidth"},
                 {Id::PilotFrequency, "PilotFrequency"}};
    for (const auto& real : reals) {
        QString value = text(real.id).trimmed();
        if (value.isEmpty())
            continue;
        if (reading.decimalComma)
            value.replace(u',', u'.');
        if (!IsNumberText(value, false)) {
            why = NotANumber(StoredFieldOf(real.id), text(real.id));
            return false;
        }
        CSignalXml::ReadChild(s, real.element, Number(value), notes);
    }
    for (const auto& [id, value, minimum] :
         {std::tuple{Id::NumTones, "NumTones", "NumTonesMin"},
          std::tuple{Id::NumChannels, "NumChannels", "NumChannelsMin"},
          std::tuple{Id::Codecheck, "CodecheckCounter", ""}}) {
        if (!count(id, value, minimum)) {
            why = NotANumber(StoredFieldOf(id), text(id));
            return false;
        }
    }
    // The minimum columns, where given, say the minimums (also without a number of tones or
    // carriers, which the list's cell cannot show).
    for (const auto& [id, element] : {std::pair{Id::NumTonesMin, "NumTonesMin"},
                                      std::pair{Id::NumChannelsMin, "NumChannelsMin"}}) {
        if (!given[static_cast<std::size_t>(id)])
            continue;
        const QString value = text(id).trimmed();
        if (!value.isEmpty() && !IsNumberText(value, true)) {
            why = NotANumber(StoredFieldOf(id), text(id));
            return false;
        }
        CSignalXml::ReadChild(s, element, value.isEmpty() ? std::string("0") : Number(value),
                              notes);
    }
    if (s.m_nModulation != ModulationMfsk) {
        // Export's space after each comma of a list, taken away again.
        QString spacing = text(Id::Spacing);
        if (QString joined = QString(spacing).replace(QStringLiteral(", "), QStringLiteral(","));
            !joined.contains(u' '))
            spacing = joined;
        child("Spacing", spacing);
        if (!fits(Id::Spacing, SignalReadNotes::CutSpacing, CSignalDescription::SpacingCapacity))
            return false;
    }
    child("ITU", text(Id::ITU));
    child("Comment", text(Id::Comment));
    // A name this version does not know reads as none, as in a file; the record keeps it.
    s.m_nMode = std::max(s.m_nMode, 0);
    s.m_nModulation = std::max(s.m_nModulation, 0);
    s.m_nSubmode = std::max(s.m_nSubmode, 0);
    return fits(Id::ITU, SignalReadNotes::CutITU, CSignalDescription::ITUCapacity) &&
           fits(Id::Comment, SignalReadNotes::CutComment, CSignalDescription::CommentCapacity);
}

bool SetFieldFromText(CSignalDescription& s, const StoredField& field, const QString& text,
                      QString& why) {
    if (field.heading == nullptr) {
        why = QCoreApplication::translate("Csv", "kept markup cannot be typed");
        return false;
    }
    // The signal as a row of every column, the field's cell typed.
    const QList<const StoredField*>& fields = CsvFields();
    QStringList cells;
    for (const StoredField* column : fields)
        cells << (column == &field ? text : StoredFieldText(s, *column));
    CSignalDescription typed;
    if (!SignalFromCsv(fields, cells, typed, CsvReading{false, false}, why))
        return false;
    CSignalDescription value = s;
    CopyStoredField(field, typed, value);
    if (const char16_t* message = value.Check(false)) {
        why = QStringView(message).toString();
        return false;
    }
    value.Recheck(false);
    s = std::move(value);
    return true;
}

QString CsvImport::ReadAs() const {
    QStringList parts;
    if (encoding == QLatin1String("OpenDocument"))
        return {};
    if (encoding != QLatin1String("UTF-8"))
        parts << QCoreApplication::translate("Csv", "read as %1").arg(encoding);
    if (separator == u';')
        parts << QCoreApplication::translate("Csv", "separated by semicolons, with decimal commas");
    else if (separator == u'\t')
        parts << QCoreApplication::translate("Csv", "separated by tabs");
    return parts.join(QStringLiteral(", "));
}

namespace {

// The rows of a table as signals, one at a time: the first row names the columns.
class CsvImporter {
public:
    explicit CsvImporter(CsvImport& result) : m_result(result) {}

    void Row(const QStringList& cells, int line) {
        if (m_nRows++ == 0) {
            Headings(cells, line);
            return;
        }
        if (!m_bNamed)
            return;
        auto signal = std::make_unique<CSignalDescription>();
        QString problem;
        // Checked as the edit dialog checks a signal; the fields stay as the row gives them.
        if (SignalFromCsv(m_fields, cells, *signal, m_reading, problem)) {
            if (const char16_t* message = signal->Check(false))
                problem = QStringView(message).toString();
        }
        if (!problem.isEmpty()) {
            m_result.refused.append({line, problem});
            return;
        }
        signal->Recheck(false);
        m_result.records.push_back(std::move(signal));
    }

    // Whether the rows were a table of signals: false with why and the line when not.
    bool End(QString& why, int& line) const {
        if (!m_bNamed) {
            why = QCoreApplication::translate("Csv", "no Name column");
            line = m_nRows == 0 ? 1 : m_result.headingLine;
            return false;
        }
        if (m_nRows < 2) {
            why = QCoreApplication::translate("Csv", "no rows of signals below the headings");
            line = m_result.headingLine;
            return false;
        }
        return true;
    }

private:
    void Headings(const QStringList& cells, int line) {
        m_result.headingLine = line;
        for (const QString& heading : cells) {
            const StoredField* field = CsvFieldNamed(heading);
            m_bNamed = m_bNamed || (field != nullptr && field->id == Id::Name);
            m_fields << field;
        }
        if (!m_bNamed)
            return;
        for (qsizetype i = 0; i < cells.size(); ++i) {
            if (m_fields[i] == nullptr)
                m_result.unknownColumns << cells[i];
        }
        // A spreadsheet's number cells hold their values, never a locale's form of them.
        const bool ods = m_result.encoding == QLatin1String("OpenDocument");
        m_reading = CsvReading{m_result.separator == u';' && !ods, !ods};
    }

    CsvImport& m_result;
    QList<const StoredField*> m_fields;
    CsvReading m_reading;
    qsizetype m_nRows = 0;
    bool m_bNamed = false;
};

// Whether text holds a line end outside quotes, quoted carrying the state from the text
// before it.
bool EndsFirstLine(QStringView text, bool& quoted) {
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            return true;
    }
    return false;
}

constexpr qint64 ChunkBytes = qint64(1) << 20;

// How many bytes at the end of data begin a UTF-8 sequence that data does not finish.
qsizetype OpenSequence(const QByteArray& data) {
    for (qsizetype k = 1; k <= 3 && k <= data.size(); ++k) {
        const auto byte = static_cast<unsigned char>(data[data.size() - k]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: its lead is further back
        const qsizetype needs = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needs > k ? k : 0;
    }
    return 0;
}

// Whether the rest of the device is UTF-8, read a chunk at a time.
bool IsUtf8(QIODevice& device) {
    QByteArray open;
    while (!device.atEnd()) {
        QByteArray chunk = open + device.read(ChunkBytes);
        const qsizetype tail = OpenSequence(chunk);
        open = chunk.right(tail);
        if (!QByteArrayView(chunk).first(chunk.size() - tail).isValidUtf8())
            return false;
    }
    return open.isEmpty(); // the file ends inside a sequence
}

} // namespace

bool ImportCsv(QIODevice& device, CsvImport& result, QString& why, int& line) {
    const QByteArray first = device.peek(4);
    if (IsZipArchive(first)) {
        // A zip archive is read whole: its directory is at its end.
        CsvTable table;
        result.encoding = QStringLiteral("OpenDocument");
        if (!ReadOds(device.readAll(), table, why, line))
            return false;
        CsvImporter importer(result);
        for (qsizetype row = 0; row < table.records.size(); ++row)
            importer.Row(table.records[row], table.lines[row]);
        return importer.End(why, line);
    }
    // The text is decoded a chunk at a time: bytes that are not UTF-8 anywhere in the file
    // make all of it Windows-1252, so a first pass over UTF-8 finds out.
    qint64 skip = 0;
    std::optional<QStringDecoder> decoder;
    if (first.startsWith("\xFF\xFE") || first.startsWith("\xFE\xFF")) {
        const bool little = first.startsWith("\xFF\xFE");
        result.encoding = little ? QStringLiteral("UTF-16LE") : QStringLiteral("UTF-16BE");
        decoder.emplace(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        skip = 2;
    } else {
        skip = first.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        const qint64 start = device.pos();
        device.skip(skip);
        const bool utf8 = IsUtf8(device);
        if (!device.seek(start)) {
            why = device.errorString();
            return false;
        }
        if (utf8) {
            result.encoding = QStringLiteral("UTF-8");
            decoder.emplace(QStringConverter::Utf8);
        } else {
            // Bytes that are not UTF-8 come from a spreadsheet that wrote the Windows code page.
            result.encoding = QStringLiteral("Windows-1252");
            decoder.emplace("windows-1252");
            if (!decoder->isValid()) {
                result.encoding = QStringLiteral("ISO-8859-1");
                decoder.emplace(QStringConverter::Latin1);
            }
        }
    }
    device.skip(skip);
    CsvImporter importer(result);
    std::optional<CsvRowReader> reader;
    // The separator is the first line's: text is held until that line has ended.
    QString head;
    bool quoted = false;
    const auto start = [&] {
        result.separator = CsvSeparator(head);
        reader.emplace(result.separator,
                       [&importer](QStringList& cells, int at) { importer.Row(cells, at); });
        reader->Feed(head);
        head = QString();
    };
    while (!device.atEnd()) {
        const QString text = (*decoder)(device.read(ChunkBytes));
        if (reader) {
            reader->Feed(text);
            continue;
        }
        const bool ended = EndsFirstLine(text, quoted);
        head += text;
        if (ended)
            start();
    }
    head += QString((*decoder)(QByteArrayView()));
    if (!reader)
        start();
    if (!reader->Finish(why, line))
        return false;
    return importer.End(why, line);
}

bool ImportCsv(const QByteArray& data, CsvImport& result, QString& why, int& line) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return ImportCsv(buffer, result, why, line);
}
