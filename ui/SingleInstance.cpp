#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace taviro::ui {
namespace {

constexpr int kConnectTimeoutMs = 500;
constexpr int kAskForMs = 5000;
const QByteArray kActivate = QByteArrayLiteral("raise\n");

} // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), m_key(key) {}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::keyFor(const QString& executablePath, const QString& userName)
{
    // Socket and pipe names are short and plain: a hash of the user and the executable's name.
    const QByteArray identity = (userName + QLatin1Char('/') + QFileInfo(executablePath).fileName()).toUtf8();
    return QStringLiteral("taviro-") +
           QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::becomeTheRunningCopy()
{
    m_lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(m_key + QStringLiteral(".lock")));
    m_lock->setStaleLockTime(0); // a copy that died leaves a lock that the next start takes over
    if (!m_lock->tryLock(0)) {
        askRunningCopy();
        return false;
    }
    m_server = new QLocalServer(this);
    QLocalServer::removeServer(m_key); // a socket left by a copy that crashed
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    m_server->listen(m_key);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains(kActivate.trimmed()))
                    emit activationRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

bool SingleInstance::askRunningCopy()
{
    // The running copy may be starting up this very moment: try for a few seconds.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kAskForMs) {
        QLocalSocket socket;
        socket.connectToServer(m_key);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.write(kActivate);
            socket.waitForBytesWritten(kConnectTimeoutMs);
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(100);
    }
    return false;
}

} // namespace taviro::ui
