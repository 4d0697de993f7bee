#pragma once

#include <QLocale>

class QCoreApplication;

// Installs the editor's translation and Qt's own for the locale's languages (the system's
// by default; English, the texts as written, for C and POSIX). Returns whether the
// editor's translation was found; translations installed before are removed first.
bool InstallTranslations(QCoreApplication& app, const QLocale& locale = QLocale());
