// One running copy per user and executable name: the first copy holds a lock file and listens
// on a local socket; a later copy finds the lock taken, asks the first one to come to the front
// and ends.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace taviro::ui {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // key: from keyFor(); the same for every copy of one user's one executable.
    explicit SingleInstance(const QString& key, QObject* parent = nullptr);
    ~SingleInstance() override;

    static QString keyFor(const QString& executablePath, const QString& userName);

    // Becomes the running copy, or (when another copy runs) asks that copy to come to the front
    // and returns false.
    bool becomeTheRunningCopy();

signals:
    // Another start of the program asked this copy to come to the front.
    void activationRequested();

private:
    bool askRunningCopy();

    QString m_key;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer* m_server = nullptr;
};

} // namespace taviro::ui
