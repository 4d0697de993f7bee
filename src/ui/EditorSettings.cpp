#include "EditorSettings.h"

QSettings EditorSettings() {
    return QSettings(QStringLiteral("Korvel"), QStringLiteral("Quarn Editor"));
}
