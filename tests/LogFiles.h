// Helpers for tests that need log files on disk.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <array>
#include <cstdint>

using RecordBytes = std::array<uint8_t, 4>;

// A well-formed record for a whole-degree temperature between -127 and +127.
inline RecordBytes recordForDegrees(int degrees)
{
    const int halves = degrees * 2;
    if (halves < 0)
        return { 255, uint8_t(halves & 0xFF), 12, 16 };
    return { 0, uint8_t(halves), 12, 16 };
}

inline void appendRecord(QByteArray &bytes, const RecordBytes &record)
{
    bytes.append(reinterpret_cast<const char *>(record.data()), 4);
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
}
