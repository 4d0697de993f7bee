#include "ProgressScope.h"

#include "VantorDoc.h"

#include <QCoreApplication>
#include <QProgressDialog>

CProgressScope::CProgressScope(CVantorDoc* doc, QWidget* parent, const QString& label)
    : m_pDoc(doc),
      m_pDialog(std::make_unique<QProgressDialog>(
          label, QCoreApplication::translate("CProgressScope", "Cancel"), 0, 1000, parent)) {
    m_pDialog->setWindowTitle(QStringLiteral("Quarn Editor"));
    m_pDialog->setWindowModality(Qt::WindowModal);
    m_pDialog->setMinimumDuration(500);
    m_pDialog->setAutoReset(false);
    m_pDialog->setValue(0);
    QProgressDialog* dialog = m_pDialog.get();
    m_pDoc->SetProgressHandler([dialog](qint64 done, qint64 total) {
        // setValue keeps the window painted while the work goes on.
        dialog->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
        return !dialog->wasCanceled();
    });
}

CProgressScope::~CProgressScope() {
    m_pDoc->SetProgressHandler({});
}
