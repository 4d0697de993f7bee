#include "OdsTable.h"

#include "ExpatHandles.h"
#include "Utf8Text.h"

#include <QCoreApplication>

#include <zip.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace {

constexpr char MimeType[] = "application/vnd.oasis.opendocument.spreadsheet";
constexpr char OfficeNs[] = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr char TableNs[] = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr char TextNs[] = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
// A spreadsheet's limits, far beyond any signal database: what a hostile file cannot pass.
constexpr int MaxColumns = 1024;
constexpr qsizetype MaxRows = 4'000'000;
constexpr qsizetype MaxCellText = 1'000'000;

QString Tr(const char* text) {
    return QCoreApplication::translate("OdsTable", text);
}

// libzip's handles, owned.
struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;
struct FileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ArchiveFile = std::unique_ptr<zip_file_t, FileCloser>;
struct SourceFreer {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};
using Source = std::unique_ptr<zip_source_t, SourceFreer>;

// A cell's text as paragraphs: a line break between paragraphs, a run of spaces beyond the
// first and a space at a paragraph's start as <text:s/>, tabs as <text:tab/> (OpenDocument
// collapses white space otherwise).
bool AppendParagraphs(std::string& out, const QString& text) {
    std::string utf8;
    for (const QString& paragraph : text.split(u'\n')) {
        EncodeUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(paragraph.utf16()),
                                       static_cast<std::size_t>(paragraph.size())),
                   utf8);
        out += "<text:p>";
        std::size_t spaces = 0;
        const auto flushSpaces = [&](bool atStart) {
            if (spaces == 0)
                return;
            const std::size_t plain = atStart ? 0 : 1;
            if (plain)
                out += ' ';
            if (spaces > plain)
                out += "<text:s text:c=\"" + std::to_string(spaces - plain) + "\"/>";
            spaces = 0;
        };
        bool atStart = true;
        for (const char c : utf8) {
            if (c == ' ') {
                ++spaces;
                continue;
            }
            flushSpaces(atStart);
            atStart = false;
            if (c == '\t')
                out += "<text:tab/>";
            else
                AppendXmlText(out, std::string_view(&c, 1));
        }
        flushSpaces(atStart);
        out += "</text:p>";
    }
    return true;
}

QByteArray ContentXml(const QList<QList<SheetCell>>& rows, const QString& sheet) {
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<office:document-content xmlns:office=\"" +
        std::string(OfficeNs) + "\" xmlns:table=\"" + TableNs + "\" xmlns:text=\"" + TextNs +
        "\" office:version=\"1.2\"><office:body><office:spreadsheet><table:table table:name=\"";
    AppendXmlText(out, sheet.toStdString());
    out += "\">";
    for (const QList<SheetCell>& row : rows) {
        out += "<table:table-row>";
        for (const SheetCell& cell : row) {
            if (cell.text.isEmpty()) {
                out += "<table:table-cell/>";
            } else if (cell.number) {
                const std::string value = cell.text.toStdString();
                out += "<table:table-cell office:value-type=\"float\" office:value=\"" + value +
                       "\"><text:p>" + value + "</text:p></table:table-cell>";
            } else {
                out += "<table:table-cell office:value-type=\"string\">";
                AppendParagraphs(out, cell.text);
                out += "</table:table-cell>";
            }
        }
        out += "</table:table-row>";
    }
    out += "</table:table></office:spreadsheet></office:body></office:document-content>\n";
    return QByteArray::fromStdString(out);
}

const char ManifestXml[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<manifest:manifest "
    "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
    "manifest:version=\"1.2\">"
    "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.2\" "
    "manifest:media-type=\"application/vnd.oasis.opendocument.spreadsheet\"/>"
    "<manifest:file-entry manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
    "</manifest:manifest>\n";

QString ZipError(zip_error_t* error) {
    return QString::fromUtf8(zip_error_strerror(error));
}

// What reading content.xml keeps track of. Names arrive as "namespace local".
struct SheetReader {
    SheetRows* rows = nullptr;
    QString fault;
    bool done = false;    // the first table ended
    int tableDepth = 0;   // inside the first table:table
    int depth = 0;        // element depth inside the table
    int ignoredDepth = 0; // inside an annotation or a nested table: not a cell's text
    int row = 0;          // rows passed, repeated ones counted
    int rowRepeat = 1;
    QStringList cells;
    int pendingEmpty = 0; // empty cells not yet put into the row
    bool inCell = false;
    int cellRepeat = 1;
    QString cellText;
    QString cellValue; // the stored value of a number or boolean cell
    bool valued = false;
    int paragraphs = 0;
    bool inParagraph = false;
    XML_Parser parser = nullptr;

    void Fail(const QString& why) {
        if (fault.isEmpty())
            fault = why;
        XML_StopParser(parser, XML_FALSE);
    }
};

bool Is(const XML_Char* name, const char* ns, const char* local) {
    const std::size_t n = std::strlen(ns);
    return std::strncmp(name, ns, n) == 0 && name[n] == ' ' &&
           std::strcmp(name + n + 1, local) == 0;
}

const XML_Char* Attribute(const XML_Char** attributes, const char* ns, const char* local) {
    for (int i = 0; attributes[i]; i += 2) {
        if (Is(attributes[i], ns, local))
            return attributes[i + 1];
    }
    return nullptr;
}

int Repeat(const XML_Char** attributes, const char* local) {
    const XML_Char* value = Attribute(attributes, TableNs, local);
    if (value == nullptr)
        return 1;
    bool ok = false;
    const int n = QByteArray(value).toInt(&ok);
    return ok && n > 0 ? n : 1;
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto& r = *static_cast<SheetReader*>(data);
    if (r.done)
        return;
    if (r.tableDepth == 0) {
        if (Is(name, TableNs, "table"))
            r.tableDepth = 1;
        return;
    }
    ++r.depth;
    if (r.ignoredDepth > 0) {
        ++r.ignoredDepth;
        return;
    }
    if (Is(name, OfficeNs, "annotation") || Is(name, TableNs, "table")) {
        r.ignoredDepth = 1;
    } else if (Is(name, TableNs, "table-row")) {
        r.rowRepeat = Repeat(attributes, "number-rows-repeated");
        r.cells.clear();
        r.pendingEmpty = 0;
    } else if (Is(name, TableNs, "table-cell") || Is(name, TableNs, "covered-table-cell")) {
        r.inCell = true;
        r.cellRepeat = Repeat(attributes, "number-columns-repeated");
        r.cellText.clear();
        r.paragraphs = 0;
        const XML_Char* type = Attribute(attributes, OfficeNs, "value-type");
        const std::string_view kind = type ? type : "";
        const XML_Char* value = nullptr;
        if (kind == "float" || kind == "percentage" || kind == "currency")
            value = Attribute(attributes, OfficeNs, "value");
        else if (kind == "boolean")
            value = Attribute(attributes, OfficeNs, "boolean-value");
        r.valued = value != nullptr;
        r.cellValue = QString::fromUtf8(value ? value : "");
        if (kind == "boolean")
            r.cellValue =
                r.cellValue == QLatin1String("true") ? QStringLiteral("1") : QStringLiteral("0");
    } else if (r.inCell && Is(name, TextNs, "p")) {
        if (r.paragraphs++ > 0)
            r.cellText += u'\n';
        r.inParagraph = true;
    } else if (r.inParagraph && Is(name, TextNs, "s")) {
        const XML_Char* count = Attribute(attributes, TextNs, "c");
        const int n = count ? std::max(1, QByteArray(count).toInt()) : 1;
        if (r.cellText.size() + n > MaxCellText)
            return r.Fail(
                Tr(QT_TRANSLATE_NOOP("OdsTable", "a cell longer than a million characters")));
        r.cellText += QString(n, u' ');
    } else if (r.inParagraph && Is(name, TextNs, "tab")) {
        r.cellText += u'\t';
    } else if (r.inParagraph && Is(name, TextNs, "line-break")) {
        r.cellText += u'\n';
    }
}

void OnEnd(void* data, const XML_Char* name) {
    auto& r = *static_cast<SheetReader*>(data);
    if (r.done || r.tableDepth == 0)
        return;
    if (r.depth == 0) { // the table's own end
        r.done = true;
        return;
    }
    --r.depth;
    if (r.ignoredDepth > 0) {
        --r.ignoredDepth;
        return;
    }
    if (Is(name, TextNs, "p")) {
        r.inParagraph = false;
    } else if (Is(name, TableNs, "table-cell") || Is(name, TableNs, "covered-table-cell")) {
        r.inCell = false;
        const QString text = r.valued ? r.cellValue : r.cellText;
        if (text.isEmpty()) {
            r.pendingEmpty += r.cellRepeat; // trailing empty cells never make a column
            return;
        }
        if (r.cells.size() + r.pendingEmpty + r.cellRepeat > MaxColumns)
            return r.Fail(Tr(QT_TRANSLATE_NOOP("OdsTable", "a row of more than 1024 cells")));
        for (; r.pendingEmpty > 0; --r.pendingEmpty)
            r.cells << QString();
        for (int i = 0; i < r.cellRepeat; ++i)
            r.cells << text;
    } else if (Is(name, TableNs, "table-row")) {
        const int first = r.row + 1;
        r.row += r.rowRepeat;
        if (r.cells.isEmpty())
            return; // an empty row, or a run of them
        if (r.rows->records.size() + r.rowRepeat > MaxRows)
            return r.Fail(Tr(QT_TRANSLATE_NOOP("OdsTable", "more than 4,000,000 rows")));
        for (int i = 0; i < r.rowRepeat; ++i) {
            r.rows->records << r.cells;
            r.rows->lines << first + i;
        }
    }
}

void OnText(void* data, const XML_Char* text, int length) {
    auto& r = *static_cast<SheetReader*>(data);
    if (r.done || !r.inParagraph || r.ignoredDepth > 0)
        return;
    if (r.cellText.size() + length > MaxCellText)
        return r.Fail(Tr(QT_TRANSLATE_NOOP("OdsTable", "a cell longer than a million characters")));
    r.cellText += QString::fromUtf8(text, length);
}

} // namespace

bool IsZipArchive(const QByteArray& data) {
    return data.startsWith("PK\x03\x04");
}

bool WriteOds(const QList<QList<SheetCell>>& rows, const QString& sheet, QByteArray& out,
              QString& why) {
    for (const QList<SheetCell>& row : rows) {
        for (const SheetCell& cell : row) {
            if (!IsXmlText(std::u16string_view(reinterpret_cast<const char16_t*>(cell.text.utf16()),
                                               static_cast<std::size_t>(cell.text.size())))) {
                why = Tr(QT_TRANSLATE_NOOP("OdsTable",
                                           "\"%1\" holds a character a spreadsheet cannot carry"))
                          .arg(cell.text.left(60));
                return false;
            }
        }
    }
    const QByteArray content = ContentXml(rows, sheet);
    zip_error_t error;
    zip_error_init(&error);
    Source buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        why = ZipError(&error);
        return false;
    }
    zip_t* opened = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (opened == nullptr) {
        why = ZipError(&error);
        return false;
    }
    zip_source_keep(buffer.get()); // the archive's bytes stay readable after it is closed
    Archive archive(opened);
    // The mime type first and stored, as OpenDocument requires; the entries' bytes stay with
    // the caller until the archive is written.
    const auto add = [&](const char* name, const char* bytes, std::size_t size, bool stored) {
        zip_source_t* entry = zip_source_buffer(archive.get(), bytes, size, 0);
        if (entry == nullptr)
            return false;
        const zip_int64_t index = zip_file_add(archive.get(), name, entry, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(entry);
            return false;
        }
        return !stored || zip_set_file_compression(archive.get(), static_cast<zip_uint64_t>(index),
                                                   ZIP_CM_STORE, 0) == 0;
    };
    if (!add("mimetype", MimeType, sizeof MimeType - 1, true) ||
        !add("META-INF/manifest.xml", ManifestXml, sizeof ManifestXml - 1, false) ||
        !add("content.xml", content.constData(), static_cast<std::size_t>(content.size()), false)) {
        why = QString::fromUtf8(zip_strerror(archive.get()));
        return false;
    }
    if (zip_close(archive.get()) != 0) {
        why = QString::fromUtf8(zip_strerror(archive.get()));
        return false;
    }
    (void)archive.release(); // closed: zip_close freed it
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) != 0 || zip_source_open(buffer.get()) != 0) {
        why = Tr(QT_TRANSLATE_NOOP("OdsTable", "the spreadsheet could not be made"));
        return false;
    }
    out.resize(static_cast<qsizetype>(stat.size));
    const zip_int64_t read = zip_source_read(buffer.get(), out.data(), stat.size);
    zip_source_close(buffer.get());
    if (read != static_cast<zip_int64_t>(stat.size)) {
        why = Tr(QT_TRANSLATE_NOOP("OdsTable", "the spreadsheet could not be made"));
        return false;
    }
    return true;
}

bool ReadOds(const QByteArray& data, SheetRows& rows, QString& why, int& line) {
    line = 0;
    const QString notSpreadsheet =
        Tr(QT_TRANSLATE_NOOP("OdsTable", "not an OpenDocument spreadsheet"));
    zip_error_t error;
    zip_error_init(&error);
    Source source(zip_source_buffer_create(data.constData(), static_cast<zip_uint64_t>(data.size()),
                                           0, &error));
    if (!source) {
        why = ZipError(&error);
        return false;
    }
    zip_t* opened = zip_open_from_source(source.get(), ZIP_RDONLY, &error);
    if (opened == nullptr) {
        why = notSpreadsheet + QStringLiteral(" (") + ZipError(&error) + u')';
        return false;
    }
    zip_source_keep(source.get()); // the archive holds it too
    Archive archive(opened);
    // The mime type says what the archive is: a text document or a zip of anything else is
    // not a table of signals.
    std::array<char, sizeof MimeType> mime{};
    if (ArchiveFile file(zip_fopen(archive.get(), "mimetype", 0)); file) {
        const zip_int64_t n = zip_fread(file.get(), mime.data(), mime.size());
        if (n != static_cast<zip_int64_t>(sizeof MimeType - 1) ||
            std::memcmp(mime.data(), MimeType, sizeof MimeType - 1) != 0) {
            why = notSpreadsheet;
            return false;
        }
    }
    ArchiveFile content(zip_fopen(archive.get(), "content.xml", 0));
    if (!content) {
        why = notSpreadsheet;
        return false;
    }
    ParserHandle parser(XML_ParserCreateNS("UTF-8", ' '));
    if (!parser) {
        why = Tr(QT_TRANSLATE_NOOP("OdsTable", "not enough memory"));
        return false;
    }
    SheetReader reader;
    reader.rows = &rows;
    reader.parser = parser.get();
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    std::array<char, 64 * 1024> chunk;
    for (;;) {
        const zip_int64_t n = zip_fread(content.get(), chunk.data(), chunk.size());
        if (n < 0) {
            why = QString::fromUtf8(zip_file_strerror(content.get()));
            return false;
        }
        if (XML_Parse(parser.get(), chunk.data(), static_cast<int>(n), n == 0) ==
            XML_STATUS_ERROR) {
            why = !reader.fault.isEmpty()
                      ? reader.fault
                      : Tr(QT_TRANSLATE_NOOP("OdsTable", "content.xml: %1 at line %2"))
                            .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser.get()))))
                            .arg(ParserLine(parser.get()));
            line = reader.row + 1;
            return false;
        }
        if (n == 0 || reader.done)
            break;
    }
    if (reader.tableDepth == 0) {
        why = Tr(QT_TRANSLATE_NOOP("OdsTable", "the spreadsheet holds no table"));
        return false;
    }
    return true;
}
