#pragma once
#include "core/Error.h"
#include "weather/TextCodePage.h"

#include <QString>
#include <string_view>

namespace kesmar {

// The visible text of an RTF document, as received bulletins carry it: the
// document group's text with control words, groups and destinations
// (\fonttbl, \colortbl, \stylesheet, \info, \pict, \* ...) understood and
// skipped, \'hh and raw 8-bit bytes in the document's code page (1252 or
// 850), \uN with its \ucN fallback characters, \par and \line as line ends.
// Damaged input never fails: unbalanced braces, a cut-off control word or a
// missing end give the text read so far. Bytes that do not start with
// "{\rtf" are taken as plain text in code page 1252.
class RtfReader {
public:
    struct Document {
        QString text;          // lines ended by '\n'; no '\r', no other controls but '\t'
        bool isRtf = true;     // false: plain text
        bool complete = false; // the document group was closed
    };

    static constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

    // maxLines > 0 stops after that many completed lines (for scanning headers).
    static Document toText(std::string_view bytes, int maxLines = 0);
    // Reads at most kMaxFileBytes of the file.
    static Result<Document> readFile(const QString& path, int maxLines = 0);
};

} // namespace kesmar
