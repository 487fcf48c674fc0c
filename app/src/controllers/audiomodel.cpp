#include "audiomodel.h"

#include "core/telegrammanager.h"

namespace {
constexpr uchar CmdRequestFolderList = 0x92;
constexpr uchar CmdSelectFolder = 0xB1;
} // namespace

AudioModel::AudioModel() = default;

int AudioModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_folders.size();
}

QVariant AudioModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_folders.size())
        return QVariant();
    const Folder& folder = m_folders.at(index.row());
    switch (role) {
    case DirectoryNameRole:
        return folder.directoryName;
    case IsCurrentRole:
        return folder.isCurrent;
    case FolderIndexRole:
        return folder.folderIndex;
    default:
        return QVariant();
    }
}

QHash<int, QByteArray> AudioModel::roleNames() const
{
    return {{DirectoryNameRole, "directoryName"},
            {IsCurrentRole, "isCurrent"},
            {FolderIndexRole, "folderIndex"}};
}

void AudioModel::setSelectedAudioFolder(const QString& selectedAudioFolder)
{
    if (m_selectedAudioFolder == selectedAudioFolder)
        return;
    m_selectedAudioFolder = selectedAudioFolder;
    emit selectedAudioFolderChanged();
}

void AudioModel::requestAudioDirList()
{
    clearAll();
    TelegramManager::instance()->onSendTelegramToAudioController(CmdRequestFolderList);
}

void AudioModel::clearAll()
{
    beginResetModel();
    m_folders.clear();
    endResetModel();
}

void AudioModel::setCurrentAudioFolder(int currentFolder)
{
    // No signal: the board confirms the folder it plays.
    m_currentFolderIndex = currentFolder;
    TelegramManager::instance()->onSendTelegramToAudioController(
        CmdSelectFolder, QByteArray(1, static_cast<char>(currentFolder)));
}

int AudioModel::rowOfFolderIndex(int folderIndex) const
{
    for (int row = 0; row < m_folders.size(); ++row) {
        if (m_folders.at(row).folderIndex == folderIndex)
            return row;
    }
    return -1;
}

void AudioModel::addAudioFolder(const QString& directoryName, int folderIndex,
                                const QString& playingDir)
{
    Folder folder;
    folder.directoryName = directoryName;
    folder.isCurrent = (directoryName == playingDir);
    folder.folderIndex = folderIndex;

    const int existing = rowOfFolderIndex(folderIndex);
    if (existing >= 0) {
        Folder& stored = m_folders[existing];
        if (stored.directoryName == directoryName)
            return;
        // A renamed folder replaces its entry instead of adding a second row
        // with the same index.
        stored = folder;
        const QModelIndex changed = index(existing);
        emit dataChanged(changed, changed);
        return;
    }
    if (m_folders.size() >= MaxFolders)
        return;
    beginInsertRows(QModelIndex(), m_folders.size(), m_folders.size());
    m_folders.append(folder);
    endInsertRows();
}

void AudioModel::markCurrentFolder(const QString& directoryName)
{
    for (int row = 0; row < m_folders.size(); ++row) {
        Folder& folder = m_folders[row];
        const bool isCurrent = (folder.directoryName == directoryName);
        if (folder.isCurrent == isCurrent)
            continue;
        folder.isCurrent = isCurrent;
        const QModelIndex changed = index(row);
        emit dataChanged(changed, changed, {IsCurrentRole});
    }
    if (m_currentAudioFolder != directoryName) {
        m_currentAudioFolder = directoryName;
        emit currentAudioFolderChanged();
    }
}
