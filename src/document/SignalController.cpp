#include "SignalController.h"

#include "Csv.h"
#include "RegularFile.h"
#include "SignalCatalogue.h"
#include "SignalDescription.h"
#include "SignalSteps.h"
#include "VantorDoc.h"

#include <QCoreApplication>
#include <QFile>

CSignalController::CSignalController(CVantorDoc* doc, QObject* parent)
    : QObject(parent), m_pDoc(doc) {}

void CSignalController::SortBy(int column, bool descending) {
    m_nSortColumn = column;
    m_bSortDescending = descending;
    m_pDoc->SortSignals(column, descending);
}

void CSignalController::ColumnClicked(int column) {
    if (column < 0)
        return;
    SortBy(column, column == m_nSortColumn && !m_bSortDescending);
}

void CSignalController::Edit(CSignalDescription* signal, CSignalDescription value) {
    value.m_nUnknownMode = 0;
    value.m_nUnknownModulation = 0;
    m_pDoc->Push(
        std::make_unique<CEditSignalStep>(m_pDoc, signal, value, m_nSortColumn, m_bSortDescending));
}

std::vector<CSignalDescription*> CSignalController::Append(SignalCollection records,
                                                           const QString& undoText) {
    std::vector<CSignalDescription*> added;
    if (records.empty())
        return added;
    added.reserve(records.size());
    for (const auto& record : records)
        added.push_back(record.get());
    m_pDoc->Push(std::make_unique<CInsertSignalsStep>(m_pDoc, undoText, std::move(records),
                                                      m_nSortColumn, m_bSortDescending));
    return added;
}

void CSignalController::Delete(std::vector<CSignalDescription*> records, std::vector<int> positions,
                               const QString& one, const QString& many) {
    if (records.empty())
        return;
    const QString text = CountedText(one, many, records.size());
    m_pDoc->Push(std::make_unique<CRemoveSignalsStep>(m_pDoc, text, std::move(records),
                                                      std::move(positions)));
}

void CSignalController::SetDisabled(const std::vector<CSignalDescription*>& records,
                                    const std::vector<int>& positions, bool disabled) {
    std::vector<CSignalDescription*> changing;
    std::vector<int> at;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i]->m_bDisabled != disabled) {
            changing.push_back(records[i]);
            at.push_back(positions[i]);
        }
    }
    // A changed flag is work the user would lose on close: a step of the history.
    if (changing.empty())
        return;
    const QString text =
        disabled ? CountedText(tr("Disable Signal"), tr("Disable %1 Signals"), changing.size())
                 : CountedText(tr("Enable Signal"), tr("Enable %1 Signals"), changing.size());
    m_pDoc->Push(
        std::make_unique<CFlagSignalsStep>(m_pDoc, text, std::move(changing), std::move(at)));
}

QString CSignalController::TakeFromOther(std::vector<CSignalDescription*> edited,
                                         std::vector<CSignalDescription> values,
                                         std::vector<CSignalDescription*> removed,
                                         SignalCollection added) {
    const std::size_t taken = edited.size() + removed.size() + added.size();
    if (taken == 0)
        return {};
    const QString text =
        CountedText(tr("Take Signal from Other"), tr("Take %1 Signals from Other"), taken);
    std::vector<std::unique_ptr<CSignalStep>> steps;
    if (!edited.empty())
        steps.push_back(std::make_unique<CEditSignalsStep>(
            m_pDoc, text, std::move(edited), std::move(values), m_nSortColumn, m_bSortDescending));
    if (!removed.empty())
        steps.push_back(std::make_unique<CRemoveSignalsStep>(m_pDoc, text, std::move(removed)));
    if (!added.empty())
        steps.push_back(std::make_unique<CInsertSignalsStep>(m_pDoc, text, std::move(added),
                                                             m_nSortColumn, m_bSortDescending));
    m_pDoc->Push(std::make_unique<CStepGroup>(m_pDoc, text, std::move(steps)));
    return text;
}

CSignalController::ImportOutcome CSignalController::Import(const QString& path) {
    ImportOutcome outcome;
    QFile file;
    // A pipe or a device is refused at once: nothing waits on it.
    if (!OpenRegularFile(path, file, outcome.error))
        return outcome;
    CsvImport imported;
    QString why;
    int line = 0;
    if (!ImportCsv(file.readAll(), imported, why, line)) {
        outcome.error = line > 0 ? QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(why)
                                 : QStringLiteral("%1: %2").arg(path, why);
        return outcome;
    }
    outcome.readAs = imported.ReadAs();
    for (const QString& heading : imported.unknownColumns)
        outcome.leftOut << tr("%1:%2: unknown column \"%3\" left out")
                               .arg(path)
                               .arg(imported.headingLine)
                               .arg(heading);
    for (const auto& [at, problem] : imported.refused)
        outcome.leftOut << QStringLiteral("%1:%2: %3").arg(path).arg(at).arg(problem);
    outcome.added = Append(std::move(imported.records), tr("Import"));
    return outcome;
}

CSignalController::ChangeOutcome
CSignalController::ChangeSignals(const std::vector<CSignalDescription*>& records,
                                 const SignalChange& change) {
    ChangeOutcome outcome;
    std::vector<CSignalDescription> values;
    for (CSignalDescription* record : records) {
        CSignalDescription value;
        SignalProblem problem = SignalProblem::None;
        const ChangeRefusal refusal = ApplyChange(*record, change, value, problem);
        const QString name = QStringView(record->m_szName.c_str()).toString();
        if (refusal == ChangeRefusal::NoSuchField)
            outcome.unchanged << tr("%1: its family has no such field").arg(name);
        else if (refusal == ChangeRefusal::NoDecoder)
            outcome.unchanged << tr("%1: a code-check count needs a decoder mode").arg(name);
        else if (refusal == ChangeRefusal::Invalid)
            outcome.unchanged << tr("%1: %2").arg(
                name, QCoreApplication::translate("Signal", SignalProblemSource(problem)));
        if (refusal != ChangeRefusal::None)
            continue;
        outcome.changed.push_back(record);
        values.push_back(std::move(value));
    }
    if (!outcome.changed.empty())
        m_pDoc->Push(std::make_unique<CEditSignalsStep>(m_pDoc, tr("Change Signals"),
                                                        outcome.changed, std::move(values),
                                                        m_nSortColumn, m_bSortDescending));
    return outcome;
}

QString CSignalController::ChangeOutcome::Summary() const {
    const auto count = static_cast<qsizetype>(changed.size());
    QString text =
        (count == 1
             ? QCoreApplication::translate("CSignalController", "1 signal changed")
             : QCoreApplication::translate("CSignalController", "%1 signals changed").arg(count)) +
        QStringLiteral(", ") +
        QCoreApplication::translate("CSignalController", "%1 left unchanged").arg(unchanged.size());
    if (!unchanged.isEmpty())
        text += QStringLiteral(":\n") + unchanged.join(u'\n');
    return text;
}
