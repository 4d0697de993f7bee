#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace {

QPointer<QTranslator> TheOwn;
QPointer<QTranslator> TheQt;

// Loads name for the locale's first language that has one, from folder.
void Install(QCoreApplication& app, QPointer<QTranslator>& slot, const QLocale& locale,
             const QString& name, const QString& folder) {
    if (slot) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
    }
    if (locale.language() == QLocale::C)
        return;
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder) &&
        QCoreApplication::installTranslator(translator))
        slot = translator;
    else
        delete translator;
}

} // namespace

bool InstallTranslations(QCoreApplication& app, const QLocale& locale) {
    Install(app, TheQt, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Install(app, TheOwn, locale, QStringLiteral("quarn-editor"), QStringLiteral(":/i18n"));
    return !TheOwn.isNull();
}
