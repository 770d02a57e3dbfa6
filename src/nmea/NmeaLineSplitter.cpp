#include "nmea/NmeaLineSplitter.h"

namespace kesmar {

void NmeaLineSplitter::reset()
{
    current_.clear();
    inSentence_ = false;
    overlong_ = false;
}

void NmeaLineSplitter::feed(QByteArrayView bytes, const Sink& sink)
{
    for (char c : bytes) {
        if (c == '$' || c == '!') {
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
