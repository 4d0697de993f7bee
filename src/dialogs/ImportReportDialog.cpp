#include "ImportReportDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CImportReportDialog::CImportReportDialog(int imported, const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ImportReport"));
    setWindowTitle(tr("Import"));
    auto* text = new QPlainTextEdit(lines.join(u'\n'), this);
    text->setReadOnly(true);
    text->setAccessibleName(tr("Rows left out"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("%1 signals imported; these rows were left out:").arg(imported), this));
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(640, 320);
}
