#pragma once

#include <QObject>
#include <QString>

#include <cstdint>

// Worker that computes, once per start, the fingerprint of the installed
// software: for each of /usr/lib, /usr/bin, /lib and /bin the sum of
// 0xFFFFFFFF and the CRC-32 (constant 0xE2410503) of every eligible file,
// and the four sums added. The telegram manager moves it into a thread of its
// own and receives `finished`.
class CalculateCRC32Thread : public QObject
{
    Q_OBJECT

public:
    static constexpr int BlockSize = 16000;

    explicit CalculateCRC32Thread(QObject* parent = nullptr);

    // The running total of the last scan.
    uint32_t total() const { return m_total; }

    // Checksum of one file; 0 when it cannot be opened.
    static uint32_t fileChecksum(const QString& path);
    // 0xFFFFFFFF plus the checksums of the eligible files below dir. A file
    // that cannot be opened ends the walk with the sum so far.
    static uint32_t directorySum(const QString& dir);
    // True for files that are left out of the sum: the program itself, the
    // unit files the broker rewrites, compiled QML caches and files whose
    // complete suffix marks them as configuration or temporary.
    static bool isSkipped(const QString& path);
    // The four top directories, resolved below VANTO_ROOT.
    static QStringList scanDirectories();

public slots:
    void onCalculateCrc32();
    void onScanFinished(uint32_t crcVal);

signals:
    void finished(uint32_t calculatedVal);
    void error(QString err);
    void scanFinished(uint32_t crc32Val);

private:
    uint32_t m_total = 0;
};
