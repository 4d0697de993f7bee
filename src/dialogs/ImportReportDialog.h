#pragma once

#include <QDialog>
#include <QStringList>

// "Import": the rows an import left out, one line each ("PATH:LINE: why"), in a text the user
// can select and copy.
class CImportReportDialog : public QDialog {
    Q_OBJECT
public:
    CImportReportDialog(int imported, const QStringList& lines, QWidget* parent = nullptr);
};
