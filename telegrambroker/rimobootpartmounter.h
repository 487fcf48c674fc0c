#ifndef RIMOBOOTPARTMOUNTER_H
#define RIMOBOOTPARTMOUNTER_H

#include <QObject>
#include <QStorageInfo>
#include <QString>

// Mounts the boot partition (found by its partition UUID) through UDisks2 on
// the system bus, so that "lcdenv" can be read and rewritten.
class rimoBootPartMounter : public QObject
{
    Q_OBJECT
public:
    explicit rimoBootPartMounter(QObject* parent = nullptr);

    // True when the partition is mounted and its mount point known.
    bool mount();
    void unmount();

    // Where the partition is mounted; empty when mount() failed.
    QString rootPath() const { return m_rootPath; }
    QStorageInfo storage() const { return m_storage; }
    QString objectPath() const { return m_objectPath; }

private:
    QString findPartition() const;

    QString m_objectPath;
    QStorageInfo m_storage;
    // The mount point as UDisks2 reports it; QStorageInfo of a directory that
    // is not a mount point would name the enclosing file system instead.
    QString m_rootPath;
};

#endif // RIMOBOOTPARTMOUNTER_H
