#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace kesmar {

// Splits a receiver's byte stream into sentences: a sentence starts at '$'
// or '!' and ends at CR or LF. A start character inside a line begins a new
// sentence (the cut-off one is dropped); bytes before the first start are
// dropped; lines longer than maxLength are dropped whole.
class NmeaLineSplitter {
public:
    using Sink = std::function<void(const QByteArray& sentence)>;

    explicit NmeaLineSplitter(int maxLength = 128) : maxLength_(maxLength) {}

    void feed(QByteArrayView bytes, const Sink& sink);
    // For sources that frame sentences themselves and mix in other lines
    // (gpsd's JSON): a start character counts only at the start of a line.
    void setStartOnlyAtLineStart(bool strict) { strict_ = strict; }
    // Forgets a partial sentence (after a lost connection).
    void reset();
    qint64 droppedOverlong() const { return droppedOverlong_; }

private:
    QByteArray current_;
    bool inSentence_ = false;
    bool overlong_ = false;
    bool strict_ = false;
    bool atLineStart_ = true;
    int maxLength_;
    qint64 droppedOverlong_ = 0;
};

} // namespace kesmar
