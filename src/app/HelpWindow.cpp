#include "HelpWindow.h"

#include <QFile>

CHelpWindow::CHelpWindow(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Quarn Editor Help"));
    setOpenExternalLinks(true);
    QFile guide(QStringLiteral(":/user-guide.md"));
    if (guide.open(QIODevice::ReadOnly))
        setMarkdown(QString::fromUtf8(guide.readAll()));
    resize(720, 640);
}
