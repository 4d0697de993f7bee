#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One editor per desktop session. A second start hands its file (or only the wish to be
// seen) to the editor already running and ends; the running editor hears it through
// openRequested or activateRequested. The request travels over the session bus as
// com.korvel.QuarnEditor where there is one, else over a socket of the user's own in
// $XDG_RUNTIME_DIR.
class CSingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.korvel.QuarnEditor")
public:
    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // Asks a running editor to open path (an absolute path), or only to come to the front
    // when path is empty. True when one took the request.
    static bool HandOver(const QString& path);

    // Takes the requests of later starts; false when another editor already does.
    bool Listen();

    // The socket used where no session bus is.
    static QString SocketPath();

public slots:
    // Called over the bus (and by the socket's reader).
    void Open(const QString& path);
    void Activate();

signals:
    void openRequested(const QString& path);
    void activateRequested();

private:
    QLocalServer* m_pServer = nullptr;
    bool m_bOnBus = false;
};
