#include "TestFiles.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

bool WriteBytes(const QString& path, const QByteArray& data) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush();
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QByteArray Git(const QString& folder, const QString& home, const QStringList& args, bool mayFail) {
    QProcess git;
    git.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
    git.setProcessEnvironment(env);
    git.start(QStringLiteral("git"), args);
    git.waitForFinished(30000);
    if (git.exitStatus() != QProcess::NormalExit || git.exitCode() != 0) {
        if (!mayFail)
            qWarning() << "git" << args << git.readAllStandardError();
        return {};
    }
    const QByteArray out = git.readAllStandardOutput();
    return out.isNull() ? QByteArray("") : out;
}
