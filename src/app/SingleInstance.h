#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One editor per desktop session. A second start hands its file (or only the wish to be
// seen) to the editor already running and ends; the running editor hears it through
// openRequested or activateRequested. The request travels over the session bus as
// com.korvel.QuarnEditor where there is one, else over a socket of the user's own in
// $XDG_RUNTIME_DIR (or, without a usable one, in a private folder of the user's in the
// temporary folder); both ends of the socket check that the other is the same user. A path
// travels as its bytes, so that a name that is not UTF-8 names the same file.
class CSingleInstance : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.korvel.QuarnEditor")
public:
    explicit CSingleInstance(QObject* parent = nullptr);
    ~CSingleInstance() override;

    // Asks a running editor to open path (an absolute path), or only to come to the front
    // when path is empty. True when one answered; error is then its reason for not opening
    // the file, or empty.
    static bool HandOver(const QString& path, QString& error);

    // Takes the requests of later starts; false when another editor already does.
    bool Listen();

    // The socket used where no session bus is; empty when no private folder can hold it.
    static QString SocketPath();
    // The longest request the socket takes.
    static constexpr qint64 MaxRequest = 64 * 1024;

public slots:
    // Called over the bus (and by the socket's reader): path as native bytes. The answer is
    // why the file cannot be opened, or empty when the editor goes on to open it.
    QString OpenNative(const QByteArray& path);
    void Activate();

signals:
    void openRequested(const QString& path);
    void activateRequested();

private:
    QLocalServer* m_pServer = nullptr;
    bool m_bOnBus = false;
};
