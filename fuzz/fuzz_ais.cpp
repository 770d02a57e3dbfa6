// AIS input: any bytes as sentences, each once as it stands and once with
// its checksum made right so that the fragments, the 6-bit payload and the
// decoder see the bytes; the messages go into a target list and its text.
#include "nmea/AisReceiver.h"
#include "nmea/AisTargetList.h"
#include "nmea/AisTargetText.h"

#include <QList>

#include <cstddef>
#include <cstdint>

namespace {

QByteArray withChecksum(QByteArray line)
{
    const qsizetype star = line.indexOf('*');
    if (star >= 0) line.truncate(star);
    quint8 sum = 0;
    for (qsizetype i = 1; i < line.size(); ++i) sum ^= quint8(line[i]);
    return line + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kesmar::AisReceiver receiver;
    kesmar::AisTargetList targets;
    int64_t now = 0;
    for (const QByteArray& line : bytes.split('\n')) {
        for (const QByteArray& sentence : {line, withChecksum("!AIVDM," + line)}) {
            if (const auto message = receiver.receive(sentence)) targets.apply(*message, now);
            now += 1000;
        }
    }
    targets.age(now + 7 * 60 * 1000);
    for (const auto& [mmsi, target] : targets.targets())
        (void)kesmar::AisTargetText::describe(target, std::nullopt, {}, now);
    return 0;
}
