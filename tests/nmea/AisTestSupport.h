#pragma once
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <cstdint>

namespace kesmar::test {

// Builds AIS payloads bit by bit, so that tests can make any field value.
class AisBits {
public:
    AisBits& put(uint64_t value, int width)
    {
        for (int bit = width - 1; bit >= 0; --bit) bits_.push_back(char((value >> bit) & 1));
        return *this;
    }
    AisBits& putSigned(int64_t value, int width) { return put(uint64_t(value) & ((uint64_t(1) << width) - 1), width); }
    AisBits& putText(const char* text, int characters)
    {
        for (int i = 0; i < characters; ++i) {
            const char c = *text ? *text++ : '@';
            put(uint8_t(c) >= 64 ? uint8_t(c) - 64 : uint8_t(c), 6);
        }
        return *this;
    }
    int size() const { return int(bits_.size()); }
    // The armoured characters and the fill bits that pad to whole characters.
    QByteArray armoured(int* fillBits) const
    {
        QByteArray out;
        *fillBits = (6 - size() % 6) % 6;
        for (int i = 0; i < size(); i += 6) {
            int v = 0;
            for (int j = 0; j < 6; ++j) v = v * 2 + (i + j < size() ? bits_[size_t(i + j)] : 0);
            out += char(v < 40 ? v + 48 : v + 56);
        }
        return out;
    }

private:
    std::string bits_;
};

inline QByteArray withChecksum(const QByteArray& body)
{
    uint8_t sum = 0;
    for (qsizetype i = 1; i < body.size(); ++i) sum ^= uint8_t(body[i]);
    return body + '*' + QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

// "!AIVDM,count,number,seq,channel,payload,fill*hh"
inline QByteArray aivdm(int count, int number, const char* seq, char channel, const QByteArray& payload, int fill)
{
    return withChecksum("!AIVDM," + QByteArray::number(count) + ',' + QByteArray::number(number) + ',' + seq + ','
                        + QByteArray(1, channel) + ',' + payload + ',' + QByteArray::number(fill));
}

// Lines of a file of the shared test material; empty when it cannot be read.
inline QList<QByteArray> sharedLines(const QString& relative)
{
    QFile file(QStringLiteral(KESMAR_SHARED_DIR "/") + relative);
    QList<QByteArray> lines;
    if (!file.open(QIODevice::ReadOnly)) return lines;
    while (!file.atEnd()) lines.append(file.readLine().trimmed());
    return lines;
}

} // namespace kesmar::test
