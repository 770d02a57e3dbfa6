#include "Dump.h"

#include "core/FileUtil.h"
#include "weather/SynopRecord.h"
#include "weather/SynopRecordLayout.h"

#include <QDir>
#include <QFile>
#include <array>
#include <cstdio>
#include <string>

namespace kesmar::synoptool {

namespace {

std::string bitNames(uint32_t flags)
{
    std::string out;
    for (int i = 0; i < 32; ++i) {
        const uint32_t bit = 1u << i;
        if (!(flags & bit))
            continue;
        const char* name = SynopFlag::name(bit);
        if (!out.empty())
            out += '|';
        if (name) {
            out += name;
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%08X", bit);
            out += buf;
        }
    }
    return out;
}

std::string csvCell(const std::string& value)
{
    if (value.find_first_of(",\"") == std::string::npos)
        return value;
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

// Texts hold blanks; quoted they stay one name=value item.
std::string plainCell(const std::string& value)
{
    if (value.find_first_of(" \"=") == std::string::npos)
        return value;
    std::string out = "\"";
    for (char c : value) {
        if (c == '"')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string fieldValue(const SynopRecordLayout::Field& field, std::span<const uint8_t> bytes,
                       const SynopRecord& record)
{
    if (field.offset == SynopRecord::OffFlags) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", record.flags);
        return buf;
    }
    return SynopRecordLayout::format(field, bytes);
}

std::string recordLine(size_t index, std::span<const uint8_t> bytes, bool csv)
{
    const SynopRecord record = SynopRecord::deserialise(bytes.first<SynopRecord::kSize>());
    std::string line = csv ? std::to_string(index) : "record=" + std::to_string(index);
    for (const SynopRecordLayout::Field& field : SynopRecordLayout::fields()) {
        const std::string value = fieldValue(field, bytes, record);
        line += csv ? "," + csvCell(value) : std::string(" ") + field.name + "=" + plainCell(value);
    }
    const std::string bits = bitNames(record.flags);
    line += csv ? "," + csvCell(bits) : " bits=" + bits;
    return line + "\n";
}

std::string headerLine()
{
    std::string line = "record";
    for (const SynopRecordLayout::Field& field : SynopRecordLayout::fields())
        line += std::string(",") + field.name;
    return line + ",bits\n";
}

} // namespace

int runDump(const QStringList& args)
{
    bool csv = false;
    QString path;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--csv")) {
            csv = true;
        } else if (arg.startsWith(QLatin1Char('-')) || !path.isEmpty()) {
            std::fputs("usage: kesmar-synop dump [--csv] [FILE]\n", stderr);
            return 2;
        } else {
            path = arg;
        }
    }
    if (path.isEmpty())
        path = programPath(QDir::currentPath(), QStringLiteral("SYNOP\\STATION.DAT"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "kesmar-synop dump: cannot open %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return 1;
    }
    if (csv)
        std::fputs(headerLine().c_str(), stdout);
    std::array<uint8_t, SynopRecord::kSize> bytes{};
    size_t index = 0;
    // A trailing partial record is not a record.
    while (file.read(reinterpret_cast<char*>(bytes.data()), bytes.size()) == static_cast<qint64>(bytes.size()))
        std::fputs(recordLine(index++, bytes, csv).c_str(), stdout);
    if (file.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "kesmar-synop dump: reading %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

} // namespace kesmar::synoptool
