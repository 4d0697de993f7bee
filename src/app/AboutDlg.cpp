#include "AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <expat.h>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Quarn Editor"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/com.korvel.QuarnEditor.svg")).pixmap(32, 32));
    auto* version =
        new QLabel(tr("Quarn Editor, Version %1").arg(QStringLiteral(QUARN_VERSION)), this);
    auto* notice =
        new QLabel(tr("Editor for signal classifier databases.\nCopyright (C) 2026 Korvel"), this);
    const XML_Expat_Version expat = XML_ExpatVersionInfo();
    auto* details = new QLabel(tr("Licence: GPL-3.0-or-later<br>"
                                  "<a href=\"https://korvel.example.com/quarn-editor\">"
                                  "https://korvel.example.com/quarn-editor</a><br>"
                                  "Qt %1, expat %2.%3.%4")
                                   .arg(QString::fromLatin1(qVersion()))
                                   .arg(expat.major)
                                   .arg(expat.minor)
                                   .arg(expat.micro),
                               this);
    details->setObjectName(QStringLiteral("details"));
    details->setOpenExternalLinks(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    QPushButton* aboutQt = buttons->addButton(tr("About &Qt"), QDialogButtonBox::HelpRole);
    connect(aboutQt, &QPushButton::clicked, this, [this] { QApplication::aboutQt(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(version, 0, 1);
    layout->addWidget(notice, 1, 1);
    layout->addWidget(details, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
