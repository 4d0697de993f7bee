#pragma once

#include <QString>

#include <memory>

class CVantorDoc;
class QProgressDialog;
class QWidget;

// While it lives, the document's long file operations show a progress dialog once they take
// longer than half a second; its Cancel stops the operation and keeps everything as it was.
class CProgressScope {
public:
    CProgressScope(CVantorDoc* doc, QWidget* parent, const QString& label);
    ~CProgressScope();
    CProgressScope(const CProgressScope&) = delete;
    CProgressScope& operator=(const CProgressScope&) = delete;

private:
    CVantorDoc* m_pDoc;
    std::unique_ptr<QProgressDialog> m_pDialog;
};
