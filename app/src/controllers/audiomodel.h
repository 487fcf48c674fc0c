#pragma once

#include <QAbstractListModel>
#include <QString>
#include <QVector>

// The music folders on the audio board's SD card, one row per folder as the
// board reports them (at most ten).
class AudioModel : public QAbstractListModel
{
    Q_OBJECT
    Q_PROPERTY(int currentFolderIndex READ currentFolderIndex NOTIFY currentFolderIndexChanged)
    Q_PROPERTY(QString selectedAudioFolder READ selectedAudioFolder WRITE setSelectedAudioFolder
                   NOTIFY selectedAudioFolderChanged)
    Q_PROPERTY(QString currentAudioFolder READ currentAudioFolder NOTIFY currentAudioFolderChanged)

public:
    enum Roles {
        DirectoryNameRole = Qt::UserRole + 1,
        IsCurrentRole,
        FolderIndexRole,
    };
    static constexpr int MaxFolders = 10;

    AudioModel();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

    int currentFolderIndex() const { return m_currentFolderIndex; }
    QString selectedAudioFolder() const { return m_selectedAudioFolder; }
    QString currentAudioFolder() const { return m_currentAudioFolder; }
    void setSelectedAudioFolder(const QString& selectedAudioFolder);

    Q_INVOKABLE void requestAudioDirList();
    Q_INVOKABLE void clearAll();
    Q_INVOKABLE void setCurrentAudioFolder(int currentFolder);

    // One folder entry reported by the audio board. `playingDir` is the
    // folder the board currently plays (the media controller's audioDir).
    void addAudioFolder(const QString& directoryName, int folderIndex, const QString& playingDir);
    // The board reported the folder it plays: flag exactly that row as current.
    void markCurrentFolder(const QString& directoryName);

signals:
    void currentFolderIndexChanged();
    void selectedAudioFolderChanged();
    void currentAudioFolderChanged();

private:
    struct Folder
    {
        QString directoryName;
        bool isCurrent = false;
        int folderIndex = 0;
    };
    int rowOfFolderIndex(int folderIndex) const;

    QVector<Folder> m_folders;
    int m_currentFolderIndex = -1;
    QString m_selectedAudioFolder;
    QString m_currentAudioFolder;
};
