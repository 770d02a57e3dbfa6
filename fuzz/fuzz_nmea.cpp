// NMEA input: any bytes through the stream splitter, the parser and the
// receive path that updates the vessel state.
#include "nmea/NmeaInput.h"
#include "nmea/NmeaLineSplitter.h"
#include "nmea/NmeaLog.h"
#include "nmea/NmeaParser.h"
#include "nmea/VesselState.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    kesmar::VesselState state;
    kesmar::NmeaLog log;
    kesmar::NmeaInput input(state, log);
    input.setDisplayInterval(0);
    // The whole input as one datagram, then as a stream of sentences.
    input.receiveDatagram(bytes);
    kesmar::NmeaLineSplitter splitter(128);
    splitter.feed(bytes, [&](const QByteArray& sentence) {
        input.receiveDatagram(sentence);
        (void)kesmar::NmeaParser::parsePositionText(sentence);
    });
    (void)kesmar::NmeaParser::parse(bytes);
    return 0;
}
