#include "ConflictResolution.h"

#include "Csv.h"
#include "DocumentMarkup.h"
#include "RegularFile.h"
#include "SignalDescription.h"
#include "SignalMerge3.h"
#include "StoredFieldText.h"
#include "StoredFields.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

using Row = CConflictResolution::Row;

QString Wide(const CSignalDescription& s) {
    return QStringView(s.m_szName.c_str()).toString();
}

QString Heading(const StoredField* field) {
    if (field == nullptr)
        return QCoreApplication::translate("CConflictResolution", "signal");
    if (field->heading == nullptr)
        return QCoreApplication::translate("CConflictResolution", "Kept markup");
    return QCoreApplication::translate("Signal", field->heading);
}

bool EmptyVersion(const QString& path) {
    const QFileInfo info(path);
    return path.isEmpty() || path == QLatin1String("/dev/null") ||
           (info.isFile() && info.size() == 0);
}

Row FieldRow(const QString& name, const StoredField* field, QString base, QString ours,
             QString theirs) {
    Row row{Row::Kind::Field,
            name,
            Heading(field),
            base,
            ours,
            theirs,
            {base, ours, theirs},
            ours,
            true};
    row.stored = field;
    return row;
}

Row RemovalRow(const QString& name, bool oursKept, bool theirsKept) {
    const QString changed = QCoreApplication::translate("CConflictResolution", "changed"),
                  removed = QCoreApplication::translate("CConflictResolution", "removed");
    const QString ours = oursKept ? changed : removed;
    const QString theirs = theirsKept ? changed : removed;
    return {Row::Kind::Removal,
            name,
            QCoreApplication::translate("CConflictResolution", "signal"),
            QCoreApplication::translate("CConflictResolution", "present"),
            ours,
            theirs,
            {QString(), ours, theirs},
            ours,
            false};
}

Row BothAddedRow(const QString& name, const QString& fields) {
    const QString both = QCoreApplication::translate("CConflictResolution", "both kept");
    return {Row::Kind::BothAdded,
            name,
            fields,
            QString(),
            QCoreApplication::translate("CConflictResolution", "added"),
            QCoreApplication::translate("CConflictResolution", "added"),
            {both, QCoreApplication::translate("CConflictResolution", "ours only"),
             QCoreApplication::translate("CConflictResolution", "theirs only")},
            both,
            false};
}

} // namespace

CConflictResolution::CConflictResolution() : m_pMerged(std::make_unique<CVantorDoc>()) {}

CConflictResolution::~CConflictResolution() = default;

FileResult CConflictResolution::FromVersions(const QString& base, const QString& ours,
                                             const QString& theirs, const QString& output) {
    const std::array<QString, 3> paths{base, ours, theirs};
    for (std::size_t i = 0; i < 3; ++i) {
        m_versions[i] = std::make_unique<CVantorDoc>();
        if (i == 0 && EmptyVersion(paths[i])) {
            m_versions[i]->OnNewDocument();
            continue;
        }
        if (const FileResult opened = m_versions[i]->OnOpenDocument(paths[i]); !opened)
            return opened;
        if (m_versions[i]->GetReadReport().Foreign())
            return FileResult::Failed(
                QCoreApplication::translate(
                    "CConflictResolution",
                    "%1 does not look like a signal database: its root element is <%2>")
                    .arg(paths[i], QString::fromStdString(m_versions[i]->GetReadReport().root)));
    }
    ThreeWayMerge merge =
        MergeThreeWay(m_versions[0]->Signals(), m_versions[1]->Signals(), m_versions[2]->Signals());
    std::vector<const char*> markupConflicts;
    m_pMerged->OnNewDocument();
    m_pMerged->SetDocumentMarkup(
        MergeDocumentMarkup(m_versions[0]->GetDocumentMarkup(), m_versions[1]->GetDocumentMarkup(),
                            m_versions[2]->GetDocumentMarkup(), markupConflicts));
    std::vector<int> positions(merge.records.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<int>(i);
    m_rows.clear();
    std::unordered_map<const CSignalDescription*, std::size_t> bothAdded;
    for (const MergeConflict& c : merge.conflicts) {
        const CSignalDescription* named = c.ours ? c.ours : c.theirs;
        if (c.base == nullptr) {
            // A signal both added differently: one row for the pair, naming the fields.
            const auto [it, first] = bothAdded.try_emplace(c.merged, m_rows.size());
            if (first) {
                m_rows.push_back(BothAddedRow(Wide(*named), Heading(c.field)));
                m_rows.back().record = c.merged;
                m_rows.back().theirsRecord = c.mergedTheirs;
            } else {
                m_rows[it->second].field += QStringLiteral(", ") + Heading(c.field);
            }
            continue;
        }
        if (c.field == nullptr) {
            m_rows.push_back(RemovalRow(Wide(*named), c.ours != nullptr, c.theirs != nullptr));
        } else {
            m_rows.push_back(FieldRow(Wide(*named), c.field, StoredFieldText(*c.base, *c.field),
                                      StoredFieldText(*c.ours, *c.field),
                                      StoredFieldText(*c.theirs, *c.field)));
            m_rows.back().theirsSource = c.theirs;
        }
        m_rows.back().record = c.merged;
    }
    m_pMerged->InsertSignals(positions, merge.records);
    m_output = output;
    return {};
}

FileResult CConflictResolution::FromReport(const QString& report) {
    QFile file;
    if (IoError error; !OpenRegularFile(report, file, error))
        return FileResult::Failed(error);
    QJsonParseError parsed;
    const QJsonObject json = QJsonDocument::fromJson(file.readAll(), &parsed).object();
    if (parsed.error != QJsonParseError::NoError || !json.value(QLatin1String("output")).isString())
        return FileResult::Failed(
            QCoreApplication::translate("CConflictResolution",
                                        "%1 is not a conflict report of quarn-tool merge3 (%2)")
                .arg(report,
                     parsed.error != QJsonParseError::NoError
                         ? parsed.errorString()
                         : QCoreApplication::translate("CConflictResolution", "no output named")));
    m_output = json.value(QLatin1String("output")).toString();
    // Opened for what it holds around its signals; its signals in the file's order, which
    // the resolution keeps (an open would sort them by name).
    SignalCollection inOrder;
    if (const FileResult opened = m_pMerged->OnOpenDocument(m_output); !opened)
        return opened;
    if (const FileResult read = m_pMerged->ReadOther(m_output, inOrder); !read)
        return read;
    std::vector<int> all(static_cast<std::size_t>(m_pMerged->GetSignalCount()));
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    m_pMerged->RemoveSignals(all);
    all.resize(inOrder.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    m_pMerged->InsertSignals(all, inOrder);
    // The signals of each name in the output, in its order.
    std::unordered_map<QString, std::vector<CSignalDescription*>> byName;
    for (const auto& s : m_pMerged->Signals())
        byName[Wide(*s)].push_back(s.get());
    const auto named = [&byName](const QString& name, std::size_t index) -> CSignalDescription* {
        const auto found = byName.find(name);
        return found != byName.end() && index < found->second.size() ? found->second[index]
                                                                     : nullptr;
    };
    std::unordered_set<QString> added;
    m_rows.clear();
    for (const QJsonValue& value : json.value(QLatin1String("conflicts")).toArray()) {
        const QJsonObject c = value.toObject();
        const QString name = c.value(QLatin1String("name")).toString();
        const QString kind = c.value(QLatin1String("kind")).toString();
        const QString key = c.value(QLatin1String("field")).toString();
        const auto text = [&c](const char* side) {
            return c.value(QLatin1String(side)).toString();
        };
        if (kind == QLatin1String("added")) {
            if (!added.insert(name).second) {
                for (Row& row : m_rows) {
                    if (row.kind == Row::Kind::BothAdded && row.name == name)
                        row.field +=
                            QStringLiteral(", ") + Heading(StoredFieldKeyed(key.toStdString()));
                }
                continue;
            }
            m_rows.push_back(BothAddedRow(name, Heading(StoredFieldKeyed(key.toStdString()))));
            m_rows.back().record = named(name, 0);
            m_rows.back().theirsRecord = named(name, 1);
        } else if (kind == QLatin1String("signal")) {
            m_rows.push_back(RemovalRow(name, !c.value(QLatin1String("ours")).isNull(),
                                        !c.value(QLatin1String("theirs")).isNull()));
            m_rows.back().record = named(name, 0);
        } else {
            const StoredField* field = StoredFieldKeyed(key.toStdString());
            if (field == nullptr)
                continue;
            m_rows.push_back(FieldRow(name, field, text("base"), text("ours"), text("theirs")));
            // The signal of the name that holds ours' value.
            const auto found = byName.find(name);
            if (found != byName.end()) {
                for (CSignalDescription* s : found->second) {
                    if (StoredFieldText(*s, *field) == text("ours")) {
                        m_rows.back().record = s;
                        break;
                    }
                }
            }
        }
        // Without its signal in the output a row cannot be resolved: it stays as it is.
        if (m_rows.back().record == nullptr) {
            m_rows.back().typable = false;
            m_rows.back().choices = {};
        }
    }
    return {};
}

bool CConflictResolution::Save(QString& why, int& row) {
    // The results are made on copies: a refused value leaves everything as it was.
    std::unordered_map<const CSignalDescription*, CSignalDescription> values;
    std::unordered_set<const CSignalDescription*> removed;
    const auto valueOf = [&values](CSignalDescription* s) -> CSignalDescription& {
        return values.try_emplace(s, *s).first->second;
    };
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        if (r.record == nullptr || r.result == r.choices[1])
            continue;
        switch (r.kind) {
        case Row::Kind::Field: {
            CSignalDescription& value = valueOf(r.record);
            QString refused;
            if (r.result == r.theirs && r.theirsSource != nullptr) {
                CopyStoredField(*r.stored, *r.theirsSource, value);
                value.Recheck(true);
            } else if (!SetFieldFromText(value, *r.stored, r.result, refused)) {
                why = QStringLiteral("%1: %2: %3").arg(r.name, r.field, refused);
                row = static_cast<int>(i);
                return false;
            }
            break;
        }
        case Row::Kind::Removal:
            if (r.result == QCoreApplication::translate("CConflictResolution", "removed"))
                removed.insert(r.record);
            break;
        case Row::Kind::BothAdded:
            if (r.result == r.choices[1] && r.theirsRecord != nullptr)
                removed.insert(r.theirsRecord);
            else if (r.result == r.choices[2])
                removed.insert(r.record);
            break;
        }
    }
    CVantorDoc out;
    out.OnNewDocument();
    out.SetDocumentMarkup(m_pMerged->GetDocumentMarkup());
    SignalCollection records;
    records.reserve(m_pMerged->Signals().size());
    for (const auto& s : m_pMerged->Signals()) {
        if (removed.contains(s.get()))
            continue;
        const auto found = values.find(s.get());
        records.push_back(
            std::make_unique<CSignalDescription>(found == values.end() ? *s : found->second));
    }
    std::vector<int> positions(records.size());
    for (std::size_t i = 0; i < positions.size(); ++i)
        positions[i] = static_cast<int>(i);
    out.InsertSignals(positions, records);
    const FileResult saved = out.OnSaveDocument(m_output);
    if (!saved) {
        why = saved.Message();
        row = -1;
        return false;
    }
    return true;
}
