#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A suite's temporary folder, emptied for each test function by Renew (from the suite's
// init), so that no test sees what another left; its path stays, so that data rows may name
// files in it. XDG_STATE_HOME points into it.
class TestFolder {
public:
    TestFolder() { Renew(); }
    void Renew();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // The names in folder that start with prefix, sorted, hidden ones included; read as the
    // system has them (bytes that are not UTF-8 show as U+FFFD), whatever Qt's listing makes
    // of such names.
    static QStringList Names(const QString& folder, const QString& prefix = QString());

private:
    QTemporaryDir m_dir;
};
