#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kesmar {

// The NMEA monitor text: received lines, each followed by one LF. Never
// longer than 4096 characters: a line that does not fit is dropped and the
// older content kept. Owned by the application; the input appends to it,
// the monitor dialog shows snapshots of it.
class NmeaLog {
public:
    static constexpr int kLimit = 4096;

    // Appends `line` up to its first LF (or NUL). Returns false when dropped.
    bool append(QByteArrayView line);
    const QByteArray& text() const { return text_; }

    // What the AIS input kept and dropped, shown under the text.
    void setAisSummary(const QString& summary) { aisSummary_ = summary; }
    const QString& aisSummary() const { return aisSummary_; }

private:
    QByteArray text_;
    QString aisSummary_;
};

} // namespace kesmar
