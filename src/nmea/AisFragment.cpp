#include "nmea/AisFragment.h"

#include "nmea/NmeaParser.h"

namespace kesmar {
namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A one-digit field in [low, high]; -1 when it is anything else.
int digit(QByteArrayView field, int low, int high)
{
    if (field.size() != 1 || field[0] < '0' || field[0] > '9') return -1;
    const int v = field[0] - '0';
    return v >= low && v <= high ? v : -1;
}

} // namespace

AisFragment::Check AisFragment::parse(QByteArrayView line, AisFragment& out)
{
    while (!line.isEmpty() && (line.back() == '\r' || line.back() == '\n')) line.chop(1);
    if (line.size() < 7 || line[0] != '!') return Check::NotAis;
    const QByteArrayView type = line.sliced(3, 3);
    if (type != "VDM" && type != "VDO") return Check::NotAis;

    // Fields and payload never hold '*': the first one starts the checksum.
    // Some receivers append tag fields after it (",s28089,d-103"); like
    // gpsd, those are ignored.
    const qsizetype star = line.indexOf('*');
    if (star < 0 || star + 3 > line.size()) return Check::BadChecksum;
    quint8 sum = 0;
    for (qsizetype i = 1; i < star; ++i) {
        const char c = line[i];
        if (c < 0x20 || c > 0x7E) return Check::BadFormat;
        sum ^= quint8(c);
    }
    const int high = hexValue(line[star + 1]);
    const int low = hexValue(line[star + 2]);
    if (high < 0 || low < 0 || sum != quint8(high * 16 + low)) return Check::BadChecksum;

    const auto fields = NmeaParser::splitFields(line.sliced(1, star - 1));
    if (fields.size() != 7) return Check::BadFormat;
    AisFragment f;
    f.own = type == "VDO";
    f.count = digit(fields[1], 1, 9);
    f.number = digit(fields[2], 1, 9);
    if (f.count < 0 || f.number < 0 || f.number > f.count) return Check::BadFormat;
    if (!fields[3].isEmpty()) {
        const int seq = digit(fields[3], 0, 9);
        if (seq < 0) return Check::BadFormat;
        f.sequenceId = seq;
    }
    if (fields[4].size() > 1) return Check::BadFormat;
    f.channel = fields[4].isEmpty() ? 0 : fields[4][0];
    f.payload = fields[5].toByteArray();
    // Fill bits are checked against the fragment's place by the assembler;
    // here only that the field is one digit.
    f.fillBits = digit(fields[6], 0, 9);
    if (f.fillBits < 0) return Check::BadFormat;
    out = std::move(f);
    return Check::Ok;
}

} // namespace kesmar
