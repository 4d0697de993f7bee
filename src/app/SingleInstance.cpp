#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QUrl>

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

// The socket's request: "open PATH" (percent-encoded, so any file name is one line) or
// "activate"; the answer is "ok".
QByteArray Request(const QString& path) {
    return (path.isEmpty() ? QByteArray("activate") : "open " + QUrl::toPercentEncoding(path)) +
           '\n';
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
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/quarn-editor.socket");
}

bool CSingleInstance::HandOver(const QString& path) {
    const QDBusConnection bus = Bus(HandOverName);
    bool handed = false;
    if (bus.isConnected()) {
        if (bus.interface()->isServiceRegistered(ServiceName)) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                ServiceName, ObjectPath, ServiceName,
                path.isEmpty() ? QStringLiteral("Activate") : QStringLiteral("Open"));
            if (!path.isEmpty())
                call << path;
            handed = bus.call(call, QDBus::Block, AnswerMs).type() == QDBusMessage::ReplyMessage;
        }
    } else {
        QLocalSocket socket;
        socket.connectToServer(SocketPath());
        if (socket.waitForConnected(AnswerMs)) {
            socket.write(Request(path));
            handed = socket.waitForBytesWritten(AnswerMs) && socket.waitForReadyRead(AnswerMs) &&
                     socket.readLine().trimmed() == "ok";
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
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    const QString socketPath = SocketPath();
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
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                const QByteArray line = socket->readLine().chopped(1);
                socket->write("ok\n");
                socket->flush();
                if (line == "activate")
                    Activate();
                else if (line.startsWith("open "))
                    Open(QUrl::fromPercentEncoding(line.mid(5)));
            });
        }
    });
    return true;
}

void CSingleInstance::Open(const QString& path) {
    // Emitted from the event loop, so the caller has its answer before any question shows.
    QMetaObject::invokeMethod(
        this, [this, path] { emit openRequested(path); }, Qt::QueuedConnection);
}

void CSingleInstance::Activate() {
    QMetaObject::invokeMethod(
        this, [this] { emit activateRequested(); }, Qt::QueuedConnection);
}
