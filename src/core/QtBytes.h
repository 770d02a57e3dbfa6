#pragma once
#include <QByteArray>

#include <cstdint>
#include <span>

namespace kesmar {

// Bytes between the std containers the readers and writers work on and the
// QByteArray that files are read into and written from, without a copy on
// the way in.
inline QByteArray toQByteArray(std::span<const uint8_t> bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

inline std::span<const uint8_t> byteSpan(const QByteArray& bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

} // namespace kesmar
