#include "SingleInstance.h"

#include "NativePath.h"
#include "RegularFile.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString ServiceName = QStringLiteral("com.korvel.QuarnEditor");
const QString ObjectPath = QStringLiteral("/com/korvel/QuarnEditor");
// A connection of its own, so that each editor (and each test) reads the bus address
// of its own environment.
const QString ConnectionName = QStringLiteral("quarn-single-instance");
const QString HandOverName = QStringLiteral("quarn-hand-over");
// How long a second start waits for the running editor's answer.
constexpr int AnswerMs = 5000;

// The session bus of the environment as it is now (libdbus keeps the first address it
// saw for its own session-bus connections).
QDBusConnection Bus(const QString& name = ConnectionName) {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    return address.isEmpty() ? QDBusConnection::connectToBus(QDBusConnection::SessionBus, name)
                             : QDBusConnection::connectToBus(address, name);
}

// The socket's request: "open PATH" (the name's bytes percent-encoded, so any file name is
// one line) or "activate"; the answer is "ok", or "error REASON" (percent-encoded).
QByteArray Request(const QString& path) {
    return (path.isEmpty() ? QByteArray("activate")
                           : "open " + NativePath(path).toPercentEncoding()) +
           '\n';
}

// True when the process at the other end of socket runs as this user.
bool SameUser(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.uid == ::geteuid();
}

// A folder only this user can enter: a folder (not a link), owned by the user, mode 0700.
bool IsPrivateFolder(const QByteArray& folder) {
    struct stat info {};
    return ::lstat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 0777) == 0700;
}

} // namespace

CSingleInstance::CSingleInstance(QObject* parent) : QObject(parent) {}

CSingleInstance::~CSingleInstance() {
    if (m_bOnBus) {
        QDBusConnection bus = Bus();
        bus.unregisterObject(ObjectPath);
        bus.unregisterService(ServiceName);
    }
    QDBusConnection::disconnectFromBus(ConnectionName);
}

QString CSingleInstance::SocketPath() {
    QByteArray folder = qgetenv("XDG_RUNTIME_DIR");
    if (folder.isEmpty() || !folder.startsWith('/') || !IsPrivateFolder(folder)) {
        // The shared temporary folder only through a folder of the user's own.
        folder = QFile::encodeName(QDir::tempPath()) + "/quarn-editor-" +
                 QByteArray::number(::geteuid());
        ::mkdir(folder.constData(), 0700);
        if (!IsPrivateFolder(folder))
            return {};
    }
    return PathFromNative(folder + "/quarn-editor.socket");
}

bool CSingleInstance::HandOver(const QString& path, QString& error) {
    error.clear();
    const QDBusConnection bus = Bus(HandOverName);
    bool handed = false;
    if (bus.isConnected()) {
        if (bus.interface()->isServiceRegistered(ServiceName)) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                ServiceName, ObjectPath, ServiceName,
                path.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("OpenNative"));
            if (!path.isEmpty())
                call << NativePath(path);
            const QDBusMessage reply = bus.call(call, QDBus::Block, AnswerMs);
            handed = reply.type() == QDBusMessage::ReplyMessage;
            if (handed && !reply.arguments().isEmpty())
                error = reply.arguments().constFirst().toString();
        }
    } else if (const QString socketPath = SocketPath(); !socketPath.isEmpty()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(AnswerMs) && SameUser(socket)) {
            socket.write(Request(path));
            if (socket.waitForBytesWritten(AnswerMs) && socket.waitForReadyRead(AnswerMs)) {
                const QByteArray answer = socket.readLine(MaxRequest).trimmed();
                handed = answer == "ok" || answer.startsWith("error ");
                if (answer.startsWith("error "))
                    error = QString::fromUtf8(QByteArray::fromPercentEncoding(answer.mid(6)));
            }
        }
    }
    QDBusConnection::disconnectFromBus(HandOverName);
    return handed;
}

bool CSingleInstance::Listen() {
    QDBusConnection bus = Bus();
    if (bus.isConnected()) {
        if (!bus.registerService(ServiceName))
            return false;
        m_bOnBus = bus.registerObject(ObjectPath, this, QDBusConnection::ExportAllSlots);
        return m_bOnBus;
    }
    const QString socketPath = SocketPath();
    if (socketPath.isEmpty())
        return false;
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_pServer->listen(socketPath)) {
        // A socket left by an editor that ended without closing it answers nobody.
        QLocalSocket probe;
        probe.connectToServer(socketPath);
        if (probe.waitForConnected(1000))
            return false;
        QLocalServer::removeServer(socketPath);
        if (!m_pServer->listen(socketPath))
            return false;
    }
    connect(m_pServer, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (!SameUser(*socket)) {
                socket->abort();
                continue;
            }
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine()) {
                    // A request never grows past its bound, whatever is sent.
                    if (socket->bytesAvailable() > MaxRequest)
                        socket->abort();
                    return;
                }
                const QByteArray line = socket->readLine(MaxRequest + 1).trimmed();
                QByteArray answer = "ok\n";
                if (line == "activate") {
                    Activate();
                } else if (line.startsWith("open ")) {
                    const QString why = OpenNative(QByteArray::fromPercentEncoding(line.mid(5)));
                    if (!why.isEmpty())
                        answer = "error " + why.toUtf8().toPercentEncoding() + '\n';
                }
                socket->write(answer);
                socket->flush();
            });
        }
    });
    return true;
}

QString CSingleInstance::OpenNative(const QByteArray& native) {
    const QString path = PathFromNative(native);
    // What can be known at once is answered: the caller ends with it.
    QFile file;
    if (IoError error; !OpenRegularFile(path, file, error))
        return error.Text();
    // Emitted from the event loop, so the caller has its answer before any question shows.
    QMetaObject::invokeMethod(
        this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
    return {};
}

void CSingleInstance::Activate() {
    QMetaObject::invokeMethod(
        this, [this] { emit activateRequested(); }, Qt::QueuedConnection);
}
