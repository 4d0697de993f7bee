#include "QuarnTool.h"

#include "NativePath.h"
#include "RegularFile.h"

#include "Csv.h"
#include "FileBackup.h"
#include "FileTarget.h"
#include "MergePlan.h"
#include "NumberFormat.h"
#include "SignalColumns.h"
#include "SignalDescription.h"
#include "SignalDiff.h"
#include "SignalFileReader.h"
#include "SignalHealth.h"
#include "SignalMatch.h"
#include "SignalMerge3.h"
#include "SignalSort.h"
#include "StoredFieldText.h"
#include "UnknownNames.h"
#include "VantorDoc.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <utility>

namespace {

constexpr int ExitOk = 0;
constexpr int ExitInvalid = 1;
constexpr int ExitFailure = 2;

const char* const Usage =
    "Usage:\n"
    "  quarn-tool list [--filter F] [--merge OTHER]... [--sort COL[:desc]]...\n"
    "                  [--json | --csv | --ods] FILE\n"
    "      Open FILE, merge each OTHER, sort by each column in turn (0-13, a heading such\n"
    "      as \"Shift\", or a key: name, decoder, modulation, subcarrier, baud, shift,\n"
    "      bandwidth, tones, carriers, spacing, pilot, codecheck, itu, comments), print the\n"
    "      records that pass filter F: all (default), fsk, mfsk, fsk-multicarrier, ofdm,\n"
    "      psk, psk-multicarrier (in any case). --csv prints the 14 columns, then Minimum\n"
    "      Tones, Minimum Carriers and Disabled, as RFC 4180 comma-separated values (UTF-8,\n"
    "      CR LF), as the editor's File > Export does; --ods writes the same as an\n"
    "      OpenDocument spreadsheet (redirect it to a file).\n"
    "  quarn-tool find [--filter F] [--baud N] [--shift N] [--bandwidth N] [--tones N]\n"
    "                  [--carriers N] [--tolerance T] [--json | --csv] FILE\n"
    "      Print the records whose values are within the tolerance T of every value asked\n"
    "      (default 5 %; \"2 %\" is relative, a plain number absolute in the value's unit),\n"
    "      or are \"*\" (any); a record without the value does not match. Nearest first, by\n"
    "      the largest relative deviation (a \"*\" counts as the whole tolerance), ties by\n"
    "      name; a Match column first (--json: a \"deviation\" fraction). At least one value\n"
    "      is required. Exit 1 when nothing matches.\n"
    "  quarn-tool diff OLD NEW [--json]\n"
    "      Print the signals added (+ NAME), removed (- NAME) and changed (~ NAME: FIELD:\n"
    "      OLD -> NEW, fields by their sort keys, disabled and markup), in name order.\n"
    "      Every value a save keeps is compared (also tones-min and carriers-min). Signals\n"
    "      pair by name; a name given more than once pairs by the same values, then by\n"
    "      decoder and modulation, then in order. An empty file or /dev/null has no\n"
    "      signals; a file that is not a signal database is trouble. --json prints\n"
    "      {\"added\", \"removed\", \"changed\"}.\n"
    "      Exit 0 when the signals are the same, 1 when they differ, 2 on trouble.\n"
    "  quarn-tool merge3 BASE OURS THEIRS -o OUT [--report FILE]\n"
    "      Merge two edited versions of BASE (a git merge driver: merge3 %O %A %B -o %A):\n"
    "      changes from both sides apply; a field changed differently on both sides keeps\n"
    "      OURS and is listed on standard error as NAME: FIELD: BASE -> OURS | THEIRS; a\n"
    "      signal removed on one side and changed on the other is kept as changed and\n"
    "      listed as NAME: signal: ...; what OUT cannot keep of OURS or THEIRS (content\n"
    "      outside the signals, texts cut) is named as a warning. An empty BASE has no\n"
    "      signals (both sides added the file). OUT is always a database; a version that\n"
    "      is not one leaves OUT untouched. Exit 0 without conflicts, 1 with conflicts or\n"
    "      warnings, 2 on trouble. --report FILE writes the conflicts as JSON for the editor\n"
    "      (quarn-editor --conflicts FILE): {base, ours, theirs, output, conflicts: [{name,\n"
    "      kind (field, signal: removed on one side, added: by both sides differently),\n"
    "      field, base, ours, theirs}]}.\n"
    "  quarn-tool import CSV -o OUT [--into DB]\n"
    "      Read the signals of CSV, as File > Export writes them (columns by their heading\n"
    "      in English or German, in any order; unknown columns are named and left out):\n"
    "      comma, semicolon (decimal commas) or tab separated, UTF-8, UTF-16 with a\n"
    "      byte-order mark or Windows-1252 (said on standard error when not UTF-8 with\n"
    "      commas), or an OpenDocument spreadsheet's first table. Check each row as the\n"
    "      edit dialog checks a signal, and save the rows that pass to OUT (after the\n"
    "      signals of DB, when given). A row refused is printed as CSV:LINE: message, a\n"
    "      text longer than its field too. A table without rows is trouble.\n"
    "      Exit 0 when every row came in, 1 when a row was refused, 2 on trouble.\n"
    "  quarn-tool check FILE...\n"
    "      Print every record that failed validation; exit 1 when there is one. Records\n"
    "      naming a decoder mode or modulation this version does not know get a warning\n"
    "      line each (read as no-mode or no modulation); warnings leave the status alone.\n"
    "  quarn-tool report [--tolerance T] [--json] FILE\n"
    "      Print what is wrong with FILE as a whole, one line per problem in file order:\n"
    "      FILE:LINE: NAME: KIND: DETAIL. Kinds: duplicate (equal, as merge compares, to\n"
    "      an earlier signal), same-name (an earlier signal's name with other values),\n"
    "      confusable (enabled, same modulation, another decoder, every value both give\n"
    "      within the tolerance T of the earlier's, as find; \"*\" matches anything),\n"
    "      designator (an ITU designator not of the form 3K00 + emission class, or whose\n"
    "      bandwidth is off the record's by more than T), invalid, unknown-name. A pair is\n"
    "      told at its later signal, naming the earlier by name and line. --json prints an\n"
    "      array of {line, name, kind, detail, otherLine, otherName}.\n"
    "      Exit 0 when nothing is found, 1 when something is, 2 on trouble.\n"
    "  quarn-tool convert IN -o OUT\n"
    "      Open IN and save it to OUT as the editor would; what the save cannot keep of IN\n"
    "      is named as a warning, with exit 1.\n"
    "  quarn-tool merge BASE OTHER... -o OUT\n"
    "      Open BASE, merge each OTHER in order, save to OUT; print how many records were\n"
    "      added, how many were dropped as duplicates, and how many of those differ from\n"
    "      the held record in fields the duplicate test does not compare.\n"
    "\"--\" ends the options: every argument after it is a file.\n"
    "Exit status: 0 success, 1 invalid records found by check, no match for find,\n"
    "versions that differ for diff, problems found by report, conflicts for merge3, rows refused "
    "by import, or\n"
    "content a save cannot keep for merge3, convert and import --into, 2 a file that\n"
    "cannot be read or written (also: not enough memory), or a usage error.\n";

// A path argument, whatever bytes its name holds.
QString PathArg(const std::string& arg) {
    return PathFromNative(QByteArray::fromStdString(arg));
}

std::string Utf8(const QString& text) {
    return text.toStdString();
}

std::string Utf8(const char16_t* text) {
    return Utf8(QStringView(text).toString());
}

std::optional<SignalFilter> FilterNamed(const std::string& name) {
    static const std::pair<const char*, SignalFilter> filters[] = {
        {"all", SignalFilter::All},
        {"fsk", SignalFilter::Fsk},
        {"mfsk", SignalFilter::Mfsk},
        {"fsk-multicarrier", SignalFilter::FskMulticarrier},
        {"ofdm", SignalFilter::Ofdm},
        {"psk", SignalFilter::Psk},
        {"psk-multicarrier", SignalFilter::PskMulticarrier}};
    const QString wanted = QString::fromStdString(name);
    for (const auto& [text, filter] : filters) {
        if (wanted.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return filter;
    }
    return std::nullopt;
}

// A list column by number (0-13), by its heading or by a short key, in any case.
std::optional<int> ColumnNamed(const std::string& name) {
    bool number = false;
    const int column = QString::fromStdString(name).toInt(&number);
    if (number)
        return column >= 0 && column < SignalColumnCount ? std::optional<int>(column)
                                                         : std::nullopt;
    const QString wanted = QString::fromStdString(name);
    for (int i = 0; i < SignalColumnCount; ++i) {
        if (wanted.compare(QLatin1String(SignalColumnKey(i)), Qt::CaseInsensitive) == 0 ||
            wanted.compare(QStringView(SignalColumnHeading(i)), Qt::CaseInsensitive) == 0)
            return i;
    }
    return std::nullopt;
}

// Text made inert for a terminal: tab, line breaks and backslash as \t, \n, \r, \\; other
// control characters, C1 controls and bidirectional formatting characters as \uXXXX; bytes
// of a file name that would be C1 controls as \xNN. A name cannot forge a line or reorder the
// text.
std::string Inert(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool bidi = u == 0x061C || u == 0x200E || u == 0x200F ||
                          (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
        if (u == u'\t')
            result += QLatin1String("\\t");
        else if (u == u'\n')
            result += QLatin1String("\\n");
        else if (u == u'\r')
            result += QLatin1String("\\r");
        else if (u == u'\\')
            result += QLatin1String("\\\\");
        else if (u >= 0xDC80 && u <= 0xDC9F) // a name's byte that is a C1 control in Latin-1
            result += QStringLiteral("\\x%1").arg(u - 0xDC00, 2, 16, QLatin1Char('0'));
        else if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || bidi)
            result += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
        else
            result += c;
    }
    // Other bytes of a name that are not UTF-8 come out as they were given.
    return NativePath(result).toStdString();
}

std::string Inert(const char16_t* text) {
    return Inert(QStringView(text).toString());
}

std::string Inert(const std::string& path) {
    return Inert(PathArg(path));
}

// Appends Inert(text) to out, printable ASCII as it is without a copy.
void AppendInert(std::string& out, QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E || c == u'\\') {
            out += Inert(text.toString());
            return;
        }
    }
    for (const QChar c : text)
        out += char(c.unicode());
}

QJsonObject RecordJson(const CSignalDescription& s, const char16_t* message) {
    QJsonArray cells;
    CellBuffer buffer;
    for (int column = 0; column < SignalColumnCount; ++column)
        cells.append(QStringView(SignalCellText(s, column, buffer)).toString());
    return QJsonObject{
        {"name", QStringView(s.m_szName.c_str()).toString()},
        {"mode", s.m_nMode},
        {"modulation", s.m_nModulation},
        {"submode", s.m_nSubmode},
        {"disabled", s.m_bDisabled},
        {"codecheckCounter", s.m_nCodecheckCounter},
        {"itu", QStringView(s.m_szITU.c_str()).toString()},
        {"comment", QStringView(s.m_szComment.c_str()).toString()},
        {"baudrate", s.m_dBaudrate},
        {"shift", s.m_dShift},
        {"bandwidth", s.m_dBandwidth},
        {"numTones", s.m_nNumTones},
        {"numTonesMin", s.m_nNumTonesMin},
        {"numChannels", s.m_nNumChannels},
        {"numChannelsMin", s.m_nNumChannelsMin},
        {"spacing", QStringView(s.m_szSpacing.c_str()).toString()},
        {"pilotFrequency", s.m_dPilotFrequency},
        {"invalid", s.IsInvalid()},
        {"merged", s.IsMerged()},
        {"message", message ? QJsonValue(QStringView(message).toString()) : QJsonValue()},
        {"cells", cells},
    };
}

// Reading a file that an interrupted save may have torn says where its old content is.
// check also names the copies it leaves aside (half written, another user's, readable by
// others), with why.
QString Input(const std::string& arg, std::ostream& err, bool namingIgnored = false) {
    const QString path = PathArg(arg);
    bool told = false;
    for (const CFileBackup::Leftover& leftover : CFileBackup::Leftovers(path)) {
        if (!leftover.ignored.isEmpty()) {
            if (namingIgnored)
                err << "quarn-tool: warning: ignored " << Inert(leftover.path)
                    << " as a copy saved before an interrupted save of " << Inert(path) << ": "
                    << leftover.ignored.toStdString() << "\n";
        } else if (!told) {
            told = true;
            err << "quarn-tool: warning: a save of " << Inert(path) << " was interrupted on "
                << leftover.time.toString(Qt::ISODate).toStdString()
                << "; the copy saved before it is " << Inert(leftover.path) << "\n";
        }
    }
    return path;
}

int UsageError(std::ostream& err, const std::string& why) {
    err << "quarn-tool: " << why << "\nTry 'quarn-tool --help' for more.\n";
    return ExitFailure;
}

int Failure(std::ostream& err, const FileResult& result) {
    err << "quarn-tool: " << Inert(result.Message()) << "\n";
    return ExitFailure;
}

// Appends records to the document in one insertion (one at a time would copy the collection
// each time).
void AppendAll(CVantorDoc& doc, SignalCollection& records) {
    std::vector<int> positions(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        positions[i] = doc.GetSignalCount() + static_cast<int>(i);
    doc.InsertSignals(positions, records);
}

// The run's document, empty at the start of each run. It is never destroyed: the process
// ends right after the run and gives its memory back whole, much faster than freeing a
// million records one by one. It stays reachable, so leak checkers stay quiet.
CVantorDoc& RunDocument() {
    static CVantorDoc* const doc = new CVantorDoc;
    doc->OnNewDocument();
    return *doc;
}

// One record at a time, laid out as one indented array: memory does not grow with the
// output.
// One object of a printed array, indented under it.
void PrintJsonElement(const QJsonObject& object, bool first, std::ostream& out) {
    out << (first ? "\n" : ",\n");
    const QList<QByteArray> lines =
        QJsonDocument(object).toJson(QJsonDocument::Indented).trimmed().split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        out << (i ? "\n    " : "    ") << lines[i].toStdString();
}

void PrintJson(const CVantorDoc& doc, SignalFilter filter, std::ostream& out) {
    bool first = true;
    out << "[";
    for (const auto& signal : doc.Signals()) {
        if (!signal->MatchesFilter(filter))
            continue;
        PrintJsonElement(RecordJson(*signal, signal->InvalidReason()), first, out);
        first = false;
    }
    out << "\n]\n";
}

void PrintCsv(const CVantorDoc& doc, SignalFilter filter, std::ostream& out) {
    out << CsvHeadings(false).toStdString();
    for (const auto& signal : doc.Signals()) {
        if (signal->MatchesFilter(filter))
            out << CsvCells(*signal).toStdString();
    }
}

// The headings and the cells as an OpenDocument spreadsheet (binary, to be redirected).
int PrintOds(const CVantorDoc& doc, SignalFilter filter, std::ostream& out, std::ostream& err) {
    QList<QList<SheetCell>> rows{SheetHeadings(false)};
    for (const auto& signal : doc.Signals()) {
        if (signal->MatchesFilter(filter))
            rows << SheetCells(*signal);
    }
    QByteArray ods;
    QString why;
    if (!WriteOds(rows, QStringLiteral("Signals"), ods, why)) {
        err << "quarn-tool: " << Inert(why) << "\n";
        return ExitFailure;
    }
    out.write(ods.constData(), ods.size());
    return ExitOk;
}

// The headings and the cells, tab-separated, every text inert.
void PrintTable(const CVantorDoc& doc, SignalFilter filter, std::ostream& out) {
    for (int column = 0; column < SignalColumnCount; ++column)
        out << (column ? "\t" : "") << Utf8(SignalColumnHeading(column));
    out << "\n";
    CellBuffer buffer;
    for (const auto& signal : doc.Signals()) {
        if (!signal->MatchesFilter(filter))
            continue;
        for (int column = 0; column < SignalColumnCount; ++column)
            out << (column ? "\t" : "") << Inert(SignalCellText(*signal, column, buffer));
        out << "\n";
    }
}

// What list and find share: --json, --csv, --filter, "--" and the FILE. own takes the
// command's options that have a value: false when the option is not one of them, with why
// set for a value it refuses. Returns a usage error's status, or nothing.
struct OutputOptions {
    SignalFilter filter = SignalFilter::All;
    bool json = false;
    bool csv = false;
    bool ods = false; // list only
    std::optional<std::string> file;
};
using OwnOption =
    std::function<bool(const std::string& option, const std::string& value, std::string& why)>;

std::optional<int> ReadOutputOptions(const std::vector<std::string>& args, OutputOptions& options,
                                     const OwnOption& own, std::ostream& err) {
    bool named = true; // until "--"
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        std::string why;
        if (!named || arg.rfind("-", 0) != 0 || arg == "-") {
            if (options.file)
                return UsageError(err, "unexpected argument '" + arg + "'");
            options.file = arg;
        } else if (arg == "--") {
            named = false;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--csv") {
            options.csv = true;
        } else if (arg == "--ods") {
            options.ods = true;
        } else if (arg == "--filter" && hasValue) {
            const auto filter = FilterNamed(args[++i]);
            if (!filter)
                return UsageError(err, "unknown filter '" + args[i] + "'");
            options.filter = *filter;
        } else if (hasValue && own(arg, args[i + 1], why)) {
            ++i;
        } else {
            return UsageError(err, why.empty() ? "unexpected argument '" + arg + "'" : why);
        }
    }
    if (options.json + options.csv + options.ods > 1)
        return UsageError(err, "--json, --csv and --ods exclude each other");
    return std::nullopt;
}

int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OutputOptions options;
    std::vector<std::string> merges;
    std::vector<std::pair<int, bool>> sorts;
    const OwnOption own = [&](const std::string& option, const std::string& value,
                              std::string& why) {
        if (option == "--merge") {
            merges.push_back(value);
            return true;
        }
        if (option != "--sort")
            return false;
        std::string asked = value;
        bool descending = false;
        if (asked.size() > 5 && asked.compare(asked.size() - 5, 5, ":desc") == 0) {
            descending = true;
            asked.resize(asked.size() - 5);
        }
        const std::optional<int> column = ColumnNamed(asked);
        if (!column) {
            why = "unknown sort column '" + asked +
                  "': a number from 0 to 13, a heading or a key such as name, baud, shift";
            return false;
        }
        sorts.emplace_back(*column, descending);
        return true;
    };
    if (const std::optional<int> usage = ReadOutputOptions(args, options, own, err))
        return *usage;
    if (!options.file)
        return UsageError(err, "list needs a FILE");
    const std::optional<std::string>& file = options.file;
    const SignalFilter filter = options.filter;
    const bool json = options.json;
    const bool csv = options.csv;

    CVantorDoc& doc = RunDocument();
    if (const FileResult opened = doc.OnOpenDocument(Input(*file, err)); !opened)
        return Failure(err, opened);
    for (const std::string& other : merges) {
        if (const FileResult merged = doc.MergeFile(Input(other, err)); !merged)
            return Failure(err, merged);
    }
    for (const auto& [column, descending] : sorts)
        doc.SortSignals(column, descending);

    if (json)
        PrintJson(doc, filter, out);
    else if (options.ods)
        return PrintOds(doc, filter, out, err);
    else if (csv)
        PrintCsv(doc, filter, out);
    else
        PrintTable(doc, filter, out);
    return ExitOk;
}

// The Match column: the deviation in percent.
std::string MatchText(double deviation) {
    return QString::number(deviation * 100, 'f', 1).toStdString() + "%";
}

void PrintMatches(const std::vector<ParameterMatch>& matches, bool json, bool csv,
                  std::ostream& out) {
    if (json) {
        out << "[";
        for (std::size_t i = 0; i < matches.size(); ++i) {
            QJsonObject object = RecordJson(*matches[i].signal, matches[i].signal->InvalidReason());
            object.insert(QStringLiteral("deviation"), matches[i].deviation);
            PrintJsonElement(object, i == 0, out);
        }
        out << "\n]\n";
        return;
    }
    if (csv) {
        out << "Match," << CsvHeadings(false).toStdString();
        for (const ParameterMatch& match : matches)
            out << MatchText(match.deviation) << "," << CsvCells(*match.signal).toStdString();
        return;
    }
    out << "Match";
    for (int column = 0; column < SignalColumnCount; ++column)
        out << "\t" << Utf8(SignalColumnHeading(column));
    out << "\n";
    CellBuffer buffer;
    for (const ParameterMatch& match : matches) {
        out << MatchText(match.deviation);
        for (int column = 0; column < SignalColumnCount; ++column)
            out << "\t" << Inert(SignalCellText(*match.signal, column, buffer));
        out << "\n";
    }
}

// Reads one option of find into the query; false with why for a value it cannot take.
bool FindOption(const std::string& option, const std::string& value, ParameterQuery& query,
                std::string& why) {
    if (option == "--tolerance") {
        if (ParseTolerance(value, query))
            return true;
        why = "a tolerance is a number, or a percentage such as \"2 %\": '" + value + "'";
        return false;
    }
    double number = 0;
    if (!ParseAskedValue(value, number)) {
        why = option + " needs a number above 0: '" + value + "'";
        return false;
    }
    const bool count = option == "--tones" || option == "--carriers";
    if (count && (number != std::floor(number) || number > 2147483647)) {
        why = option + " needs a whole number: '" + value + "'";
        return false;
    }
    if (option == "--baud")
        query.baud = number;
    else if (option == "--shift")
        query.shift = number;
    else if (option == "--bandwidth")
        query.bandwidth = number;
    else if (option == "--tones")
        query.tones = static_cast<std::int32_t>(number);
    else
        query.carriers = static_cast<std::int32_t>(number);
    return true;
}

int RunFind(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    OutputOptions options;
    ParameterQuery query;
    const OwnOption own = [&query](const std::string& option, const std::string& value,
                                   std::string& why) {
        const bool asked = option == "--baud" || option == "--shift" || option == "--bandwidth" ||
                           option == "--tones" || option == "--carriers" || option == "--tolerance";
        return asked && FindOption(option, value, query, why);
    };
    if (const std::optional<int> usage = ReadOutputOptions(args, options, own, err))
        return *usage;
    if (options.ods)
        return UsageError(err, "--ods is for list; find prints --csv or --json");
    if (!options.file)
        return UsageError(err, "find needs a FILE");
    if (!query.AsksSomething())
        return UsageError(err, "find needs at least one of --baud, --shift, --bandwidth, "
                               "--tones, --carriers");
    query.filter = options.filter;
    const std::optional<std::string>& file = options.file;
    const bool json = options.json;
    const bool csv = options.csv;
    CVantorDoc& doc = RunDocument();
    if (const FileResult opened = doc.OnOpenDocument(Input(*file, err)); !opened)
        return Failure(err, opened);
    const std::vector<ParameterMatch> matches = FindByParameters(doc.Signals(), query);
    if (matches.empty())
        return ExitInvalid;
    PrintMatches(matches, json, csv, out);
    return ExitOk;
}

QString DiffText(const CSignalDescription& s, const FieldDifference& difference) {
    return StoredFieldText(s, *difference.field);
}

// A file git hands over for a version that does not exist (an added file's base, /dev/null):
// it holds no signals.
bool EmptyVersion(const QString& path) {
    const QFileInfo info(path);
    return path == QLatin1String("/dev/null") || (info.isFile() && info.size() == 0);
}

// A file that is not a signal database is never read as one without signals.
int ForeignVersion(const CVantorDoc& doc, const QString& path, std::ostream& err) {
    const SignalFileReport& report = doc.GetReadReport();
    if (!report.Foreign())
        return ExitOk;
    err << "quarn-tool: " << Inert(path)
        << " does not look like a signal database: its root element is <"
        << Inert(QString::fromStdString(report.root)) << "> and it holds no Signal elements\n";
    return ExitFailure;
}

// Opens a version for diff and merge3: an empty one (where allowed) holds no signals; one that
// is not a signal database is trouble, not a version without signals.
int OpenVersion(CVantorDoc& doc, const QString& path, bool emptyAllowed, std::ostream& err) {
    if (emptyAllowed && EmptyVersion(path)) {
        doc.OnNewDocument();
        return ExitOk;
    }
    if (const FileResult opened = doc.OnOpenDocument(path); !opened)
        return Failure(err, opened);
    return ForeignVersion(doc, path, err);
}

// Files and --json (and the option flag, when given, taken as said); false with the
// argument that is neither.
bool FilesAndJson(const std::vector<std::string>& args, std::vector<std::string>& files, bool& json,
                  std::string& unexpected, std::string_view flag = {}) {
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--")
            options = false;
        else if (options && arg == "--json")
            json = true;
        else if (options && !flag.empty() && arg == flag)
            continue;
        else if (options && arg.rfind("-", 0) == 0 && arg.size() > 1) {
            unexpected = arg;
            return false;
        } else
            files.push_back(arg);
    }
    return true;
}

int RunDiff(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::vector<std::string> files;
    if (std::string unexpected; !FilesAndJson(args, files, json, unexpected))
        return UsageError(err, "unexpected argument '" + unexpected + "'");
    if (files.size() != 2)
        return UsageError(err, "diff needs OLD and NEW");
    // Two documents, for the run: freed with the process.
    static CVantorDoc* const older = new CVantorDoc;
    static CVantorDoc* const newer = new CVantorDoc;
    if (const int status = OpenVersion(*older, Input(files[0], err), true, err); status != ExitOk)
        return status;
    if (const int status = OpenVersion(*newer, Input(files[1], err), true, err); status != ExitOk)
        return status;
    SignalPairing pairing = PairSignals(older->Signals(), newer->Signals());
    // One entry per line of the text form, in name order.
    struct Entry {
        char kind;
        const CSignalDescription* before;
        const CSignalDescription* after;
        std::vector<FieldDifference> fields;
    };
    std::vector<Entry> entries;
    for (const CSignalDescription* s : pairing.removed)
        entries.push_back({'-', s, nullptr, {}});
    for (const CSignalDescription* s : pairing.added)
        entries.push_back({'+', nullptr, s, {}});
    for (const auto& [before, after] : pairing.pairs) {
        std::vector<FieldDifference> fields = DiffFields(*before, *after);
        if (!fields.empty())
            entries.push_back({'~', before, after, std::move(fields)});
    }
    const auto named = [](const Entry& e) { return e.before ? e.before : e.after; };
    std::stable_sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        return CompareSignals(*named(a), *named(b), ColumnName, false) < 0;
    });
    if (json) {
        QJsonArray added, removed, changed;
        for (const Entry& e : entries) {
            if (e.kind == '+') {
                added.append(RecordJson(*e.after, e.after->InvalidReason()));
            } else if (e.kind == '-') {
                removed.append(RecordJson(*e.before, e.before->InvalidReason()));
            } else {
                QJsonObject fields;
                for (const FieldDifference& field : e.fields)
                    fields.insert(QLatin1String(field.key), QJsonArray{DiffText(*e.before, field),
                                                                       DiffText(*e.after, field)});
                changed.append(
                    QJsonObject{{"name", QStringView(e.before->m_szName.c_str()).toString()},
                                {"fields", fields}});
            }
        }
        out << QJsonDocument(
                   QJsonObject{{"added", added}, {"removed", removed}, {"changed", changed}})
                   .toJson(QJsonDocument::Indented)
                   .toStdString();
    } else {
        for (const Entry& e : entries) {
            const std::string name = Inert(named(e)->m_szName);
            if (e.kind != '~') {
                out << e.kind << ' ' << name << "\n";
                continue;
            }
            for (const FieldDifference& field : e.fields)
                out << "~ " << name << ": " << field.key << ": "
                    << Inert(DiffText(*e.before, field)) << " -> "
                    << Inert(DiffText(*e.after, field)) << "\n";
        }
    }
    return entries.empty() ? ExitOk : ExitInvalid;
}

int RunCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    // Every argument is a file; a first "--" only says so.
    const std::vector<std::string> files(args.begin() + (!args.empty() && args[0] == "--"),
                                         args.end());
    if (files.empty())
        return UsageError(err, "check needs at least one FILE");
    int status = ExitOk;
    for (const std::string& file : files) {
        CVantorDoc& doc = RunDocument();
        if (const FileResult opened = doc.OnOpenDocument(Input(file, err, true)); !opened) {
            Failure(err, opened);
            status = ExitFailure;
            continue;
        }
        const SignalFileReport& report = doc.GetReadReport();
        if (report.Foreign())
            out << Inert(file) << ": warning: does not look like a signal database: its root "
                << "element is <" << Inert(QString::fromStdString(report.root))
                << "> and it holds no Signal elements\n";
        if (const QString dropped = report.Dropped(); !dropped.isEmpty())
            out << Inert(file) << ": warning: " << Inert(dropped) << "\n";
        const std::string shown = Inert(file);
        // An unknown name, made inert once: many records may share it.
        std::unordered_map<std::uint32_t, std::string> inertNames;
        const auto InertName = [&inertNames](std::uint32_t index) -> const std::string& {
            auto [it, added] = inertNames.try_emplace(index);
            if (added)
                it->second = Inert(QString::fromStdString(UnknownName(index)));
            return it->second;
        };
        for (const auto& signal : doc.Signals()) {
            const SignalReadNotes* notes = doc.GetReadNotes(signal.get());
            const char16_t* message = signal->InvalidReason();
            if (notes == nullptr && message == nullptr && signal->m_nUnknownMode == 0 &&
                signal->m_nUnknownModulation == 0)
                continue;
            // "FILE:LINE: NAME: " (the line is known for every record with something to say)
            std::string prefix = shown;
            if (const unsigned long line = doc.GetReadLine(signal.get()); line != 0)
                prefix.append(":").append(std::to_string(line));
            prefix.append(": ").append(Inert(signal->m_szName)).append(": ");
            if (notes != nullptr) {
                static const std::pair<const char*, int> cuts[] = {
                    {"name", CSignalDescription::NameCapacity - 1},
                    {"ITU designator", CSignalDescription::ITUCapacity - 1},
                    {"comment", CSignalDescription::CommentCapacity - 1},
                    {"spacing", CSignalDescription::SpacingCapacity - 1}};
                for (int bit = 0; bit < 4; ++bit) {
                    if (notes->cut & (1 << bit))
                        out << prefix << "warning: the " << cuts[bit].first << " was cut to "
                            << cuts[bit].second << " characters\n";
                }
                for (const auto& [field, saved] : notes->numbers)
                    out << prefix << "warning: the " << field << " will be saved as " << saved
                        << "\n";
            }
            // Names this version does not know are warnings: they do not change the status.
            if (signal->m_nUnknownMode != 0)
                out << prefix << "warning: unknown decoder mode \""
                    << InertName(signal->m_nUnknownMode) << "\" (read as no-mode)\n";
            if (signal->m_nUnknownModulation != 0)
                out << prefix << "warning: unknown modulation \""
                    << InertName(signal->m_nUnknownModulation) << "\" (read as no modulation)\n";
            if (message == nullptr)
                continue;
            out << prefix << Inert(message) << "\n";
            if (status == ExitOk)
                status = ExitInvalid;
        }
    }
    return status;
}

// A fraction as "2.5 %".
void AppendPercent(QString& out, double fraction) {
    out += QString::number(fraction * 100, 'f', 1);
    out += QLatin1StringView(" %");
}

void AppendHertz(QString& out, double value) {
    char16_t text[MaxRealTextLength + 1];
    FormatReal(value, text);
    out += QStringView(text);
    out += QLatin1StringView(" Hz");
}

void AppendQuoted(QString& out, const char16_t* text) {
    out += u'"';
    out += QStringView(text);
    out += u'"';
}

// What a problem is, in the words of the report's DETAIL, the other signal of a pair named by
// name and line (lines: each record's line by its place).
QString ProblemDetail(const std::vector<unsigned long>& lines, const HealthProblem& problem) {
    const CSignalDescription& s = *problem.signal;
    QString detail;
    detail.reserve(128);
    switch (problem.kind) {
    case HealthKind::Duplicate:
        detail += QLatin1StringView("equal to");
        break;
    case HealthKind::SameName:
        detail += QLatin1StringView("differs in ");
        for (std::size_t i = 0; i < problem.fields.size(); ++i) {
            if (i > 0)
                detail += QLatin1StringView(", ");
            detail += QLatin1StringView(problem.fields[i].key);
        }
        detail += QLatin1StringView(" from");
        break;
    case HealthKind::Confusable:
        detail += QLatin1StringView("cannot be told from");
        break;
    case HealthKind::Designator:
        AppendQuoted(detail, s.m_szITU);
        if (problem.designatorBandwidth == 0) {
            detail += QLatin1StringView(
                " is not four bandwidth characters (as 3K00) and an emission class");
            return detail;
        }
        detail += QLatin1StringView(" gives ");
        AppendHertz(detail, problem.designatorBandwidth);
        detail += QLatin1StringView(", the bandwidth is ");
        AppendHertz(detail, s.m_dBandwidth);
        detail += QLatin1StringView(" (");
        AppendPercent(detail, problem.deviation);
        detail += QLatin1StringView(" off)");
        return detail;
    case HealthKind::Invalid:
        return QStringView(s.InvalidReason()).toString();
    case HealthKind::UnknownName: {
        QStringList names;
        if (s.m_nUnknownMode != 0)
            names << QStringLiteral("unknown decoder mode \"%1\"")
                         .arg(QString::fromStdString(UnknownName(s.m_nUnknownMode)));
        if (s.m_nUnknownModulation != 0)
            names << QStringLiteral("unknown modulation \"%1\"")
                         .arg(QString::fromStdString(UnknownName(s.m_nUnknownModulation)));
        return names.join(QStringLiteral(", "));
    }
    }
    const CSignalDescription& other = *problem.other;
    detail += u' ';
    AppendQuoted(detail, other.m_szName);
    detail += QLatin1StringView(" (line ");
    detail += QString::number(lines[problem.otherAt]);
    detail += u')';
    if (problem.kind == HealthKind::Confusable) {
        detail += QLatin1StringView(", decoders ");
        detail += QStringView(s.GetModeName());
        detail += QLatin1StringView(" and ");
        detail += QStringView(other.GetModeName());
        detail += QLatin1StringView(", largest deviation ");
        AppendPercent(detail, problem.deviation);
    }
    return detail;
}

int RunReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    HealthOptions options;
    bool json = false;
    std::optional<std::string> file;
    bool optionsEnd = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg == "--json") {
            json = true;
        } else if (!optionsEnd && (arg == "--tolerance" || arg.rfind("--tolerance=", 0) == 0)) {
            std::string value;
            if (arg == "--tolerance") {
                if (i + 1 == args.size())
                    return UsageError(err, "--tolerance needs a value");
                value = args[++i];
            } else {
                value = arg.substr(12);
            }
            ParameterQuery query;
            if (!ParseTolerance(value, query))
                return UsageError(err, "--tolerance: '" + value +
                                           "' is not a tolerance (\"5 %\" or a number)");
            options.tolerance = query.tolerance;
            options.relative = query.relative;
        } else if (!optionsEnd && arg.rfind("--", 0) == 0) {
            return UsageError(err, "unexpected argument '" + arg + "'");
        } else if (file) {
            return UsageError(err, "report takes one FILE");
        } else {
            file = arg;
        }
    }
    if (!file)
        return UsageError(err, "report needs a FILE");
    // Read as the file has the signals, each with its line, without the document's sort.
    SignalCollection owned;
    std::vector<const CSignalDescription*> records;
    std::vector<unsigned long> lines;
    const QString path = Input(*file, err, true);
    SignalFileReport report;
    QString error;
    try {
        const auto sink = [&](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&& notes) {
            records.push_back(signal.get());
            lines.push_back(notes.line);
            owned.push_back(std::move(signal));
        };
        if (!CSignalFileReader::Read(path, sink, error, {}, &report)) {
            err << "quarn-tool: " << Inert(error) << "\n";
            return ExitFailure;
        }
    } catch (const std::bad_alloc&) {
        err << "quarn-tool: " << Inert(path) << ": not enough memory\n";
        return ExitFailure;
    }
    if (report.Foreign()) {
        err << "quarn-tool: " << Inert(path)
            << " does not look like a signal database: its root element is <"
            << Inert(QString::fromStdString(report.root)) << "> and it holds no Signal elements\n";
        return ExitFailure;
    }
    const std::vector<HealthProblem> problems = FindHealthProblems(records, options);
    const std::string shown = Inert(*file);
    bool first = true;
    if (json)
        out << "[";
    // Lines are gathered and written a block at a time.
    std::string block;
    for (const HealthProblem& problem : problems) {
        const unsigned long line = lines[problem.at];
        const QString detail = ProblemDetail(lines, problem);
        if (!json) {
            block += shown;
            block += ':';
            block += std::to_string(line);
            block += ": ";
            AppendInert(block, TextView(problem.signal->m_szName));
            block += ": ";
            block += HealthKindKey(problem.kind);
            block += ": ";
            AppendInert(block, detail);
            block += '\n';
            if (block.size() >= 1 << 20) {
                out << block;
                block.clear();
            }
            continue;
        }
        QJsonObject object{{"line", double(line)},
                           {"name", QStringView(problem.signal->m_szName.c_str()).toString()},
                           {"kind", HealthKindKey(problem.kind)},
                           {"detail", detail}};
        if (problem.other != nullptr) {
            object.insert("otherLine", double(lines[problem.otherAt]));
            object.insert("otherName", QStringView(problem.other->m_szName.c_str()).toString());
        }
        PrintJsonElement(object, first, out);
        first = false;
    }
    out << block;
    if (json)
        out << (first ? "]\n" : "\n]\n");
    return problems.empty() ? ExitOk : ExitInvalid;
}

// Splits "... -o OUT" into the inputs and the output path.
bool SplitOutput(const std::vector<std::string>& args, std::vector<std::string>& inputs,
                 std::string& output) {
    bool options = true; // until "--"
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (options && args[i] == "--")
            options = false;
        else if (options && args[i] == "-o" && i + 1 < args.size() && output.empty())
            output = args[++i];
        else if (options && args[i].rfind("-", 0) == 0 && args[i].size() > 1)
            return false;
        else
            inputs.push_back(args[i]);
    }
    return !output.empty();
}

int Save(CVantorDoc& doc, const std::string& output, std::ostream& err) {
    // Another kind of XML file is never written over from a script.
    SignalFileReport target;
    QString ignored;
    if (CSignalFileReader::ReadHead(PathArg(output), target, ignored) && target.Foreign()) {
        err << "quarn-tool: " << Inert(output)
            << " does not look like a signal database (its root element is <"
            << Inert(QString::fromStdString(target.root)) << ">): not written over\n";
        return ExitFailure;
    }
    const FileResult saved = doc.OnSaveDocument(PathArg(output));
    // Written but not known to be on the disk is not a success a script may rely on.
    if (!saved || !saved.Message().isEmpty())
        return Failure(err, saved);
    return ExitOk;
}

// A field of a record as merge3 names it in a conflict.
QString FieldText(const CSignalDescription* s, const StoredField* field) {
    return s == nullptr || field == nullptr ? QString() : StoredFieldText(*s, *field);
}

// What a save of a document read from path cannot keep as the file had it: named, and the
// status becomes 1.
int SayWhatIsNotKept(const CVantorDoc& doc, const QString& path, std::ostream& err) {
    const QString notice = doc.GetReadReport().Notice();
    if (notice.isEmpty())
        return ExitOk;
    err << "quarn-tool: warning: " << Inert(path) << ": " << Inert(notice) << "\n";
    return ExitInvalid;
}

// merge3's conflicts as JSON for the editor: the versions, the output, and each conflict with
// the three values (a removed signal as null).
bool WriteConflictReport(const std::string& report, const std::array<QString, 3>& paths,
                         const QString& output, const std::vector<MergeConflict>& conflicts,
                         std::ostream& err) {
    QJsonArray list;
    for (const MergeConflict& conflict : conflicts) {
        const CSignalDescription* named = conflict.ours     ? conflict.ours
                                          : conflict.theirs ? conflict.theirs
                                                            : conflict.base;
        const auto value = [&conflict](const CSignalDescription* s) -> QJsonValue {
            if (s == nullptr)
                return std::string_view(conflict.key) == "signal" ? QJsonValue() : QJsonValue("");
            if (conflict.field == nullptr)
                return s == conflict.base ? QStringLiteral("present") : QStringLiteral("changed");
            return StoredFieldText(*s, *conflict.field);
        };
        const char* kind = conflict.base == nullptr                     ? "added"
                           : std::string_view(conflict.key) == "signal" ? "signal"
                                                                        : "field";
        list.append(QJsonObject{{"name", QStringView(named->m_szName.c_str()).toString()},
                                {"kind", kind},
                                {"field", QLatin1String(conflict.key)},
                                {"base", value(conflict.base)},
                                {"ours", value(conflict.ours)},
                                {"theirs", value(conflict.theirs)}});
    }
    const QByteArray json =
        QJsonDocument(QJsonObject{{"base", QFileInfo(paths[0]).absoluteFilePath()},
                                  {"ours", QFileInfo(paths[1]).absoluteFilePath()},
                                  {"theirs", QFileInfo(paths[2]).absoluteFilePath()},
                                  {"output", QFileInfo(output).absoluteFilePath()},
                                  {"conflicts", list}})
            .toJson(QJsonDocument::Indented);
    IoError error;
    if (WriteFileTarget(
            PathArg(report),
            [&json](QIODevice& device, QString&) { return device.write(json) == json.size(); },
            error))
        return true;
    err << "quarn-tool: " << Inert(error.Text()) << "\n";
    return false;
}

int RunMerge3(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<std::string> rest;
    std::optional<std::string> report;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (args[i] == "--report" && i + 1 < args.size() && !report)
            report = args[++i];
        else
            rest.push_back(args[i]);
    }
    std::vector<std::string> inputs;
    std::string output;
    if (!SplitOutput(rest, inputs, output) || inputs.size() != 3)
        return UsageError(err, "merge3 needs BASE OURS THEIRS -o OUT [--report FILE]");
    // The three versions, for the run: freed with the process.
    static CVantorDoc* const versions = new CVantorDoc[3];
    // The three are read side by side: each read is on records of its own, and two cores
    // read three files in about the time one core reads two.
    std::array<QString, 3> paths;
    for (std::size_t i = 0; i < 3; ++i)
        paths[i] = Input(inputs[i], err);
    std::array<int, 3> opened;
    std::array<std::ostringstream, 3> said;
    {
        // An empty base is the base of a file both sides added.
        const auto open = [&](std::size_t i) {
            opened[i] = OpenVersion(versions[i], paths[i], i == 0, said[i]);
        };
        std::jthread ours(open, 1);
        std::jthread theirs(open, 2);
        open(0);
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (opened[i] != ExitOk) {
            err << said[i].str();
            return opened[i];
        }
    }
    ThreeWayMerge merge =
        MergeThreeWay(versions[0].Signals(), versions[1].Signals(), versions[2].Signals());
    int status = merge.conflicts.empty() ? ExitOk : ExitInvalid;
    CVantorDoc& out = RunDocument();
    AppendAll(out, merge.records);
    // What the versions hold around their signals, merged as the signals are.
    std::vector<const char*> markupConflicts;
    out.SetDocumentMarkup(MergeDocumentMarkup(versions[0].GetDocumentMarkup(),
                                              versions[1].GetDocumentMarkup(),
                                              versions[2].GetDocumentMarkup(), markupConflicts));
    if (const int saved = Save(out, output, err); saved != ExitOk)
        return saved;
    if (report && !WriteConflictReport(*report, paths, PathArg(output), merge.conflicts, err))
        return ExitFailure;
    for (const char* part : markupConflicts)
        err << "quarn-tool: warning: the " << part
            << " changed differently on both sides: ours kept\n";
    if (!markupConflicts.empty())
        status = ExitInvalid;
    // What the output could not keep of either side is said, and is trouble to look at.
    for (std::size_t i = 1; i < 3; ++i)
        status = std::max(status, SayWhatIsNotKept(versions[i], paths[i], err));
    for (const MergeConflict& conflict : merge.conflicts) {
        const CSignalDescription* named = conflict.ours     ? conflict.ours
                                          : conflict.theirs ? conflict.theirs
                                                            : conflict.base;
        err << Inert(named->m_szName) << ": " << conflict.key << ": ";
        if (std::string_view(conflict.key) == "signal")
            err << "present -> " << (conflict.ours ? "changed" : "removed") << " | "
                << (conflict.theirs ? "changed" : "removed") << "\n";
        else
            err << Inert(FieldText(conflict.base, conflict.field)) << " -> "
                << Inert(FieldText(conflict.ours, conflict.field)) << " | "
                << Inert(FieldText(conflict.theirs, conflict.field)) << "\n";
    }
    return status;
}

int RunImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> rest;
    std::optional<std::string> into;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--into" && i + 1 < args.size() && !into)
            into = args[++i];
        else
            rest.push_back(args[i]);
    }
    std::vector<std::string> inputs;
    std::string output;
    if (!SplitOutput(rest, inputs, output) || inputs.size() != 1)
        return UsageError(err, "import needs CSV -o OUT [--into DB]");
    const std::string shown = Inert(inputs[0]);
    QFile file;
    if (IoError unreadable; !OpenRegularFile(PathArg(inputs[0]), file, unreadable)) {
        err << "quarn-tool: " << Inert(unreadable.Text()) << "\n";
        return ExitFailure;
    }
    CsvImport imported;
    QString why;
    int line = 0;
    if (!ImportCsv(file, imported, why, line)) {
        // A fault of the whole file (not a spreadsheet) has no line to name.
        err << "quarn-tool: " << shown << (line > 0 ? ":" + std::to_string(line) : "") << ": "
            << Utf8(why) << "\n";
        return ExitFailure;
    }
    if (const QString readAs = imported.ReadAs(); !readAs.isEmpty())
        err << "quarn-tool: " << shown << ": " << Inert(readAs) << "\n";
    for (const QString& heading : imported.unknownColumns)
        out << shown << ":" << imported.headingLine << ": warning: unknown column \""
            << Inert(heading) << "\" left out\n";
    for (const auto& [refusedLine, problem] : imported.refused)
        out << shown << ":" << refusedLine << ": " << Inert(problem) << "\n";
    CVantorDoc& doc = RunDocument();
    QString database;
    if (into) {
        database = Input(*into, err);
        if (const FileResult opened = doc.OnOpenDocument(database); !opened)
            return Failure(err, opened);
    }
    AppendAll(doc, imported.records);
    const bool refused = !imported.refused.isEmpty();
    if (const int saved = Save(doc, output, err); saved != ExitOk)
        return saved;
    const int kept = into ? SayWhatIsNotKept(doc, database, err) : ExitOk;
    return refused ? ExitInvalid : kept;
}

int RunConvert(const std::vector<std::string>& args, std::ostream& err) {
    std::vector<std::string> inputs;
    std::string output;
    if (!SplitOutput(args, inputs, output) || inputs.size() != 1)
        return UsageError(err, "convert needs IN -o OUT");
    CVantorDoc& doc = RunDocument();
    const QString input = Input(inputs[0], err);
    if (const FileResult opened = doc.OnOpenDocument(input); !opened)
        return Failure(err, opened);
    if (const int saved = Save(doc, output, err); saved != ExitOk)
        return saved;
    return SayWhatIsNotKept(doc, input, err);
}

// merge --dry-run: what merging OTHER into FILE would bring, in OTHER's order, writing nothing.
int RunMergeDryRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::vector<std::string> files;
    if (std::string unexpected; !FilesAndJson(args, files, json, unexpected, "--dry-run"))
        return UsageError(err, "unexpected argument '" + unexpected + "'");
    if (files.size() != 2)
        return UsageError(err, "merge --dry-run needs FILE and OTHER");
    CVantorDoc& doc = RunDocument();
    if (const FileResult opened = doc.OnOpenDocument(Input(files[0], err)); !opened)
        return Failure(err, opened);
    CVantorDoc::MergeSource source;
    if (const FileResult read = doc.ReadMergeSource(Input(files[1], err), source); !read)
        return Failure(err, read);
    const MergePlan plan = PlanMerge(doc.Signals(), source.records);
    bool brings = false;
    QJsonArray entries;
    for (const MergeEntry& e : plan.entries) {
        const char* kind = e.kind == MergeEntryKind::New         ? "new"
                           : e.kind == MergeEntryKind::Identical ? "identical"
                                                                 : "same-name";
        brings = brings || e.kind != MergeEntryKind::Identical;
        if (json) {
            QJsonObject entry{{"kind", kind},
                              {"name", QStringView(e.there->m_szName.c_str()).toString()}};
            QJsonObject fields;
            for (const FieldDifference& field : e.fields)
                fields.insert(QLatin1String(field.key),
                              QJsonArray{DiffText(*e.here, field), DiffText(*e.there, field)});
            if (!fields.isEmpty())
                entry.insert("fields", fields);
            entries.append(entry);
            continue;
        }
        const std::string name = Inert(e.there->m_szName);
        if (e.kind != MergeEntryKind::SameName) {
            out << (e.kind == MergeEntryKind::New ? "+ " : "= ") << name << "\n";
            continue;
        }
        for (const FieldDifference& field : e.fields)
            out << "~ " << name << ": " << field.key << ": " << Inert(DiffText(*e.here, field))
                << " -> " << Inert(DiffText(*e.there, field)) << "\n";
    }
    if (json)
        out << QJsonDocument(entries).toJson(QJsonDocument::Indented).toStdString();
    return brings ? ExitInvalid : ExitOk;
}

int RunMerge(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (std::find(args.begin(), std::find(args.begin(), args.end(), "--"), "--dry-run") !=
        args.end())
        return RunMergeDryRun(args, out, err);
    std::vector<std::string> inputs;
    std::string output;
    if (!SplitOutput(args, inputs, output) || inputs.size() < 2)
        return UsageError(err, "merge needs BASE OTHER... -o OUT");
    CVantorDoc& doc = RunDocument();
    if (const FileResult opened = doc.OnOpenDocument(Input(inputs[0], err)); !opened)
        return Failure(err, opened);
    CVantorDoc::MergeResult total;
    for (std::size_t i = 1; i < inputs.size(); ++i) {
        CVantorDoc::MergeResult result;
        if (const FileResult merged = doc.MergeFile(Input(inputs[i], err), &result); !merged)
            return Failure(err, merged);
        total.added += result.added;
        total.dropped += result.dropped;
        total.differing += result.differing;
    }
    const int status = Save(doc, output, err);
    if (status == ExitOk)
        out << total.added << " records added, " << total.dropped << " dropped as duplicates, "
            << total.differing
            << " of them differing in bandwidth, code-check counter, minimums or disabled state "
               "(the held values were kept)\n";
    return status;
}

} // namespace

int RunQuarnTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty())
        return UsageError(err, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage;
        return ExitOk;
    }
    if (command == "--version" || command == "-v") {
        out << "quarn-tool (Quarn Editor) " QUARN_VERSION "\n"
               "License GPL-3.0-or-later <https://gnu.org/licenses/gpl.html>.\n"
               "This is free software: you are free to change and redistribute it.\n"
               "There is NO WARRANTY, to the extent permitted by law.\n";
        return ExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& arg : rest) {
        if (arg == "--")
            break; // file names from here on
        if (arg == "--help") {
            out << Usage;
            return ExitOk;
        }
    }
    if (command == "list")
        return RunList(rest, out, err);
    if (command == "find")
        return RunFind(rest, out, err);
    if (command == "diff")
        return RunDiff(rest, out, err);
    if (command == "merge3")
        return RunMerge3(rest, err);
    if (command == "import")
        return RunImport(rest, out, err);
    if (command == "check")
        return RunCheck(rest, out, err);
    if (command == "convert")
        return RunConvert(rest, err);
    if (command == "report")
        return RunReport(rest, out, err);
    if (command == "merge")
        return RunMerge(rest, out, err);
    return UsageError(err, "unknown command '" + command + "'");
}
