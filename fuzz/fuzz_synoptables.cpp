// Station table, code-text tables and station-file records from arbitrary bytes.
#include "weather/CodeTextTable.h"
#include "weather/StationTable.h"
#include "weather/SynopRecord.h"
#include "weather/SynopRecordLayout.h"

#include <cstddef>
#include <cstdint>

using namespace kesmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    StationTable stations;
    if (stations.loadBytes(bytes).ok()) {
        StationEntry e;
        for (size_t i = 0; i < stations.size() && i < 64; ++i) {
            e = stations.entryAt(i);
            if (e.nameLength > StationEntry::kMaxNameLength)
                __builtin_trap();
            stations.findByNumber(e.number, e);
            stations.findByIndicator(e.indicatorView(), e);
        }
    }

    for (size_t keyWidth : {size_t{2}, size_t{4}}) {
        CodeTextTable table(keyWidth);
        (void)table.loadBytes(bytes);
        std::array<char, CodeTextTable::kTextFieldSize> field{};
        if (size >= keyWidth)
            table.lookup(std::string_view(reinterpret_cast<const char*>(data), keyWidth), field);
        if (field.back() != 0)
            __builtin_trap();
    }

    for (size_t offset = 0; offset + SynopRecord::kSize <= size; offset += SynopRecord::kSize) {
        const std::span<const uint8_t, SynopRecord::kSize> raw(data + offset, SynopRecord::kSize);
        const SynopRecord record = SynopRecord::deserialise(raw);
        if (SynopRecord::deserialise(record.serialise()) != record)
            __builtin_trap();
        for (const auto& field : SynopRecordLayout::fields())
            (void)SynopRecordLayout::format(field, raw);
    }
    return 0;
}
