// The bulletin browser's reading of a program folder: a station file and an
// RTF bulletin of arbitrary bytes become the product list and the text of
// every page. Titles, names, lines and the page buffer keep their limits.
// Input: u16 length of the station-file part, then it, then the bulletin.
#include "weather/BulletinTextBuffer.h"
#include "weather/WeatherProductList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace kesmar;

namespace {

bool writeFile(const QString& path, const char* data, qsizetype size)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(data, size) == size;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    static QTemporaryDir folder;
    static const bool made = QDir(folder.path()).mkpath(QStringLiteral("SYNOP"));
    if (!folder.isValid() || !made)
        return 0;
    const size_t stationLength = std::min<size_t>(size - 2, size_t(data[0]) | size_t(data[1]) << 8);
    const char* station = reinterpret_cast<const char*>(data + 2);
    const char* bulletin = station + stationLength;
    const QString synop = folder.filePath(QStringLiteral("SYNOP"));
    if (!writeFile(synop + QStringLiteral("/STATION.DAT"), station, qsizetype(stationLength))
        || !writeFile(synop + QStringLiteral("/nord_2003_12_05_12_00.rtf"), bulletin,
                      qsizetype(size - 2 - stationLength)))
        return 0;

    const WeatherProductList list = WeatherProductList::build(folder.path());
    if (list.entries().size() > size_t(WeatherProductList::kMaxEntries))
        __builtin_trap();
    uint32_t kinds = 0;
    for (const WeatherFileEntry& entry : list.entries()) {
        if (entry.title.size() > WeatherFileEntry::kMaxTitleLength || entry.name.size() > WeatherFileEntry::kMaxNameLength
            || entry.kind == 0)
            __builtin_trap();
        kinds |= entry.kind;
    }
    // Every page the kinds make, and all of them at once.
    for (uint32_t bit = 1; bit != 0; bit <<= 1) {
        if ((kinds & bit) == 0 && bit != 0x80000000u)
            continue;
        const QString text = BulletinTextBuffer::pageText(list.entries(), bit == 0x80000000u ? ~0u : bit);
        if (text.size() >= BulletinTextBuffer::kCapacity)
            __builtin_trap();
        // Text lines are cut at the line limit; only the "FILE:" frame may be longer.
        for (const QStringView line : QStringView(text).split(QLatin1Char('\n')))
            if (line.size() > BulletinTextBuffer::kMaxLineLength && !line.contains(QLatin1String("FILE:"))
                && line.count(QLatin1Char('*')) != line.size())
                __builtin_trap();
    }
    return 0;
}
