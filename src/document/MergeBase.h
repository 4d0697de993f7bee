#pragma once

#include <QDateTime>
#include <QString>

// What the editor took in from a file the last time it merged it into a database: a copy of
// that file in the state folder, one per database and source, so that the next update from
// the same source merges three-way against it and only the source's changes come in.
namespace MergeBase {

// Where the copy for database and source lies (it may not exist); empty for an untitled
// database.
QString PathFor(const QString& database, const QString& source);
// When the copy was taken, or a null time when there is none.
QDateTime TakenAt(const QString& database, const QString& source);
// Keeps the source file's content as the copy for database; false with why.
bool Keep(const QString& database, const QString& source, QString& why);

} // namespace MergeBase
