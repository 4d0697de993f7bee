#pragma once

#include <QTextBrowser>

// The user guide shown in a window of its own when no help file is installed beside the
// program.
class CHelpWindow : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHelpWindow(QWidget* parent = nullptr);
};
