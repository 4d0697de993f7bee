#pragma once

#include <QDialog>

// "About Quarn Editor": icon, name and version, a two-line notice and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
