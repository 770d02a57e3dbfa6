#include "weather/BulletinTextBuffer.h"

#include "weather/RtfReader.h"

namespace kesmar {

bool BulletinTextBuffer::append(QStringView piece)
{
    if (text_.size() + piece.size() + 2 > kCapacity)
        return false;
    text_.append(piece);
    text_.append(QLatin1Char('\n'));
    return true;
}

void BulletinTextBuffer::appendFile(const QString& path, const QString& name)
{
    const auto document = RtfReader::readFile(path);
    if (!document.ok())
        return;
    const QString separator = QStringLiteral("*   ----   FILE: %1    ----   *").arg(name);
    const QString stars(separator.size(), QLatin1Char('*'));
    append(stars);
    append(separator);
    append(stars);

    const QString& text = document->text;
    int lines = 0;
    qsizetype at = 0;
    while (at < text.size() && lines < kMaxLines) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        // A longer line comes in pieces, as a line reader with a fixed buffer gives it.
        qsizetype from = at;
        do {
            const qsizetype length = std::min(kMaxLineLength, end - from);
            append(QStringView(text).mid(from, length));
            from += length;
            ++lines;
        } while (from < end && lines < kMaxLines);
        at = end + 1;
    }
}

QString BulletinTextBuffer::pageText(const std::vector<WeatherFileEntry>& entries, uint32_t mask)
{
    BulletinTextBuffer buffer;
    for (const WeatherFileEntry& entry : entries)
        if ((entry.kind & mask) != 0 && entry.source == WeatherFileEntry::Source::TextFile)
            buffer.appendFile(entry.path, entry.name);
    return buffer.text();
}

} // namespace kesmar
