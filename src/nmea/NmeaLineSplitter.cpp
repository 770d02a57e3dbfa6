#include "nmea/NmeaLineSplitter.h"

#include <utility>

namespace kesmar {

void NmeaLineSplitter::reset()
{
    current_.clear();
    inSentence_ = false;
    overlong_ = false;
    atLineStart_ = true;
}

void NmeaLineSplitter::feed(QByteArrayView bytes, const Sink& sink)
{
    for (char c : bytes) {
        const bool lineStart = std::exchange(atLineStart_, false);
        if ((c == '$' || c == '!') && (lineStart || !strict_)) {
            // A start inside a sentence means the previous one was cut off.
            current_.clear();
            current_.append(c);
            inSentence_ = true;
            overlong_ = false;
        } else if (c == '\r' || c == '\n') {
            if (inSentence_ && !overlong_)
                sink(current_);
            current_.clear();
            inSentence_ = false;
            overlong_ = false;
            atLineStart_ = true;
        } else if (inSentence_ && !overlong_) {
            if (current_.size() >= maxLength_) {
                overlong_ = true;
                ++droppedOverlong_;
                current_.clear();
            } else {
                current_.append(c);
            }
        }
    }
}

} // namespace kesmar
