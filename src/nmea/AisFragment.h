#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace kesmar {

// One "!xxVDM" / "!xxVDO" sentence: a fragment of an AIS message.
struct AisFragment {
    enum class Check { Ok, NotAis, BadChecksum, BadFormat };

    bool own = false;              // VDO: the own vessel's transponder
    int count = 0;                 // fragments of the message, 1-9
    int number = 0;                // this fragment, 1..count
    std::optional<int> sequenceId; // 0-9, empty for single-fragment messages
    char channel = 0;              // 'A', 'B', '1', '2', or 0 when empty
    QByteArray payload;            // the armoured 6-bit characters, unchecked
    int fillBits = 0;              // as sent; checked by the assembler

    // Framing, checksum (required: AIS sentences always carry one) and the
    // six fields. Text after "*hh" (line end, receiver tag fields) is ignored.
    static Check parse(QByteArrayView line, AisFragment& out);
};

} // namespace kesmar
