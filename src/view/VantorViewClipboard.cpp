#include "VantorView.h"

#include "Csv.h"
#include "FileTarget.h"
#include "Prompts.h"
#include "SignalDescription.h"
#include "SignalFileReader.h"
#include "SignalFileWriter.h"
#include "SignalRowModel.h"
#include "SignalSteps.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {

// Export hands the file its rows in blocks of about this many bytes.
constexpr qsizetype ExportChunk = 1 << 20;

} // namespace

// The list's clipboard commands and its export: signals leave and enter as the file's own
// Signal elements.

QString SignalsMimeType() {
    return QStringLiteral("application/x-quarn-signals+xml");
}

void CVantorView::OnEditCopy() {
    const std::vector<CSignalDescription*> selected = SelectedSignals();
    if (selected.empty())
        return;
    SignalCollection copies;
    copies.reserve(selected.size());
    for (const CSignalDescription* signal : selected)
        copies.push_back(std::make_unique<CSignalDescription>(*signal));
    QByteArray xml;
    QString error;
    if (!CSignalFileWriter::WriteBuffer(copies, xml, error)) {
        CPrompts::Message(this, QMessageBox::Critical, QString(), error);
        return;
    }
    // Spreadsheets take the cells as tab-separated text, one row per signal.
    QString cells;
    for (int row : SelectedRows()) {
        QStringList fields;
        for (int column = 0; column < m_pModel->columnCount(); ++column) {
            QString text = m_pModel->index(row, column).data().toString();
            text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
            fields << SpreadsheetSafe(text);
        }
        cells += fields.join(u'\t') + u'\n';
    }
    auto* data = new QMimeData;
    data->setData(SignalsMimeType(), xml);
    data->setText(QString::fromUtf8(xml));
    data->setData(QStringLiteral("text/tab-separated-values"), cells.toUtf8());
    QGuiApplication::clipboard()->setMimeData(data);
}

bool ClipboardOffersSignals() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && (data->hasFormat(SignalsMimeType()) ||
                    (data->hasText() && data->text().contains(QStringLiteral("<Signal"))));
}

void CVantorView::OnEditCut() {
    if (!selectionModel()->hasSelection())
        return;
    OnEditCopy();
    // Cut asks nothing: the signals are on the clipboard and Undo brings them back.
    DeleteSelected(tr("Cut Signal"), tr("Cut %1 Signals"));
}

void CVantorView::OnEditPaste() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QByteArray xml;
    if (data && data->hasFormat(SignalsMimeType()))
        xml = data->data(SignalsMimeType());
    else if (data && data->hasText())
        xml = data->text().toUtf8();
    std::vector<std::unique_ptr<CSignalDescription>> records;
    const auto sink = [&records](std::unique_ptr<CSignalDescription> signal, SignalReadNotes&&) {
        records.push_back(std::move(signal));
    };
    const QString name = tr("Clipboard");
    QString error;
    bool read = CSignalFileReader::ReadBuffer(xml, name, sink, error);
    if (!read && !xml.trimmed().startsWith("<?xml")) {
        // Signal elements copied out of a file stand side by side: give them one parent.
        records.clear();
        QString unused;
        read = CSignalFileReader::ReadBuffer("<SignalList>" + xml + "</SignalList>", name, sink,
                                             unused);
    }
    if (read && records.empty())
        error = tr("Clipboard: no Signal element found");
    if (!read || records.empty()) {
        // Said in the status bar: nothing changed, and nothing needs an answer.
        emit statusMessage(tr("The clipboard holds no signal database. %1")
                               .arg(xml.isEmpty() ? tr("Clipboard: empty") : error));
        return;
    }
    const std::size_t count = records.size();
    AppendSignals(std::move(records),
                  CountedText(tr("Paste Signal"), tr("Paste %1 Signals"), count));
    emit statusMessage(count == 1 ? tr("1 signal pasted") : tr("%1 signals pasted").arg(count));
}

void CVantorView::OnFileExport() {
    // NAME.csv beside the database (or where files were last chosen).
    const QString database = m_pDoc->GetPathName();
    const QString name =
        database.isEmpty() ? tr("Untitled") : QFileInfo(database).completeBaseName();
    const QString path = CPrompts::SaveFileName(
        this, tr("Export"),
        tr("CSV Files (*.csv);;OpenDocument Spreadsheets (*.ods);;All Files (*)"),
        CPrompts::StartFolder(database) + u'/' + name + QStringLiteral(".csv"),
        QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    const FileResult written = ExportRows(path);
    if (!written) {
        CPrompts::Message(this, QMessageBox::Critical, QString(),
                          tr("Cannot export.\n\n%1").arg(written.Message()));
        return;
    }
    if (!written.Message().isEmpty())
        CPrompts::Message(this, QMessageBox::Warning, QString(), written.Message() + u'.');
    const int rows = m_pModel->OwnRowCount();
    emit statusMessage(rows == 1 ? tr("1 signal exported to %1").arg(path)
                                 : tr("%1 signals exported to %2").arg(rows).arg(path));
}

void CVantorView::OnFileImport() {
    const QString path = CPrompts::OpenFileName(
        this, tr("Import"), tr("Spreadsheets (*.csv *.ods *.txt);;All Files (*)"),
        CPrompts::StartFolder(m_pDoc->GetPathName()));
    if (!path.isEmpty())
        ImportFile(path);
}

void CVantorView::ImportFile(const QString& path) {
    const CSignalController::ImportOutcome imported = m_pController->Import(path);
    if (!imported.error.isEmpty()) {
        CPrompts::Message(this, QMessageBox::Critical, QString(),
                          tr("Cannot import.\n\n%1").arg(imported.error));
        return;
    }
    SelectAppended(imported.added);
    const int added = static_cast<int>(imported.added.size());
    // How a file that is not UTF-8 with commas was read is said with the count.
    const QString done = added == 1 ? tr("1 signal imported from %1").arg(path)
                                    : tr("%1 signals imported from %2").arg(added).arg(path);
    emit statusMessage(imported.readAs.isEmpty() ? done : tr("%1 (%2)").arg(done, imported.readAs));
    if (imported.leftOut.isEmpty())
        return;
    // What was left out, in a window the user can copy from.
    QStringList lines = imported.leftOut;
    if (!imported.readAs.isEmpty())
        lines.prepend(QStringLiteral("%1: %2").arg(path, imported.readAs));
    QDialog report(this);
    report.setObjectName(QStringLiteral("ImportReport"));
    report.setWindowTitle(tr("Import"));
    auto* text = new QPlainTextEdit(lines.join(u'\n'), &report);
    text->setReadOnly(true);
    text->setAccessibleName(tr("Rows left out"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &report);
    connect(buttons, &QDialogButtonBox::rejected, &report, &QDialog::reject);
    auto* layout = new QVBoxLayout(&report);
    layout->addWidget(
        new QLabel(tr("%1 signals imported; these rows were left out:").arg(added), &report));
    layout->addWidget(text);
    layout->addWidget(buttons);
    report.resize(640, 320);
    CPrompts::RunDialog(report);
}

FileResult CVantorView::ExportRows(const QString& path) const {
    // Written as a save is: the old file stays whole until the new one is on the disk.
    QString error;
    QString warning;
    if (path.endsWith(QLatin1String(".ods"), Qt::CaseInsensitive)) {
        // An OpenDocument spreadsheet: typed cells, the rows as the list shows them.
        QList<QList<SheetCell>> rows{SheetHeadings(true)};
        for (int row = 0; row < m_pModel->OwnRowCount(); ++row)
            rows << SheetCells(*m_pModel->SignalAt(row));
        QByteArray ods;
        if (!WriteOds(rows, tr("Signals"), ods, error))
            return FileResult::Failed(path + QStringLiteral(": ") + error);
        const bool written = WriteFileTarget(
            path, [&ods](QIODevice& device, QString&) { return device.write(ods) == ods.size(); },
            error, &warning);
        if (!written)
            return FileResult::Failed(error);
        return warning.isEmpty() ? FileResult() : FileResult::Done(warning);
    }
    const bool written = WriteFileTarget(
        path,
        [this](QIODevice& device, QString&) {
            // The headings as the list shows them (translated).
            QByteArray chunk = CsvHeadings(true);
            // The rows as the list shows them: in view order, under the filter and the find.
            for (int row = 0; row < m_pModel->OwnRowCount(); ++row) {
                chunk += CsvCells(*m_pModel->SignalAt(row));
                if (chunk.size() >= ExportChunk) {
                    if (device.write(chunk) != chunk.size())
                        return false;
                    chunk.clear();
                }
            }
            return device.write(chunk) == chunk.size();
        },
        error, &warning);
    if (!written)
        return FileResult::Failed(error);
    return warning.isEmpty() ? FileResult() : FileResult::Done(warning);
}
