#include "VantorView.h"

#include "Csv.h"
#include "Prompts.h"
#include "SignalDescription.h"
#include "SignalRowModel.h"

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

// The list's clipboard commands and its export: signals leave and enter as the file's own
// Signal elements.

QString SignalsMimeType() {
    return QStringLiteral("application/x-quarn-signals+xml");
}

void CVantorView::OnEditCopy() {
    const std::vector<CSignalDescription*> selected = SelectedSignals();
    if (selected.empty())
        return;
    QByteArray xml;
    QString error;
    if (!CSignalController::SignalsXml(selected, xml, error)) {
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
    const CSignalController::PasteOutcome pasted = m_pController->Paste(xml);
    if (pasted.added.empty()) {
        // Said in the status bar: nothing changed, and nothing needs an answer.
        emit statusMessage(tr("The clipboard holds no signal database. %1").arg(pasted.error));
        return;
    }
    SelectAppended(pasted.added);
    const std::size_t count = pasted.added.size();
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
    // The rows as the list shows them: in view order, under the filter and the find.
    std::vector<const CSignalDescription*> rows;
    rows.reserve(static_cast<std::size_t>(m_pModel->OwnRowCount()));
    for (int row = 0; row < m_pModel->OwnRowCount(); ++row)
        rows.push_back(m_pModel->SignalAt(row));
    return CSignalController::Export(path, rows, tr("Signals"));
}
