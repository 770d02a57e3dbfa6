#pragma once
#include "weather/WeatherFileEntry.h"

#include <QString>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace kesmar {

// The text of one bulletin page: every listed bulletin of the page's kinds,
// each under a framed "FILE:" line, in one 64 KB buffer. A piece that does
// not fit is dropped; later, shorter pieces may still fit.
class BulletinTextBuffer {
public:
    static constexpr qsizetype kCapacity = 65536; // including the terminating NUL
    static constexpr int kMaxLines = 8000;
    static constexpr qsizetype kMaxLineLength = 249;

    // Adds the text and a line end if both and the NUL still fit.
    bool append(QStringView piece);
    // The three separator lines and the file's text lines; a file that
    // cannot be read adds nothing.
    void appendFile(const QString& path, const QString& name);

    const QString& text() const { return text_; }

    // The page text for the entries whose kind has a bit of `mask`.
    static QString pageText(const std::vector<WeatherFileEntry>& entries, uint32_t mask);

private:
    QString text_;
};

} // namespace kesmar
