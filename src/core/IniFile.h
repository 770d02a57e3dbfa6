#pragma once
#include "core/Error.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace kesmar {

// C atoi() without its undefined behaviour: leading white space, an optional
// sign and the digits up to the first other character; no digits give 0,
// overflow saturates.
int atoiLike(QStringView text);

// A settings file in the Windows profile layout ("[Section]" lines, then
// "key=value" lines). Sections and keys match without regard to case, the
// first of several equal names wins, and everything the program does not
// touch (other keys, comments, blank lines, their order) is written back
// unchanged. Reads never fail: a missing file is an empty one.
class IniFile {
public:
    IniFile() = default;
    explicit IniFile(QString path);

    static IniFile fromBytes(const QByteArray& bytes);

    // Reads the file at path(); a missing or unreadable file leaves it empty
    // and is reported.
    Status load();

    // Replaces the file atomically.
    Status save() const;

    const QString& path() const { return path_; }
    QByteArray toBytes() const;

    std::optional<QString> value(QStringView section, QStringView key) const;
    QString readString(QStringView section, QStringView key, const QString& fallback) const;
    // Like the profile integer read: the fallback when the key is absent,
    // otherwise atoiLike() of the text (so "abc" reads as 0).
    int readInt(QStringView section, QStringView key, int fallback) const;

    // Sets or adds a key; line breaks in the value become blanks so that a
    // value can never inject keys or sections.
    void setValue(QStringView section, QStringView key, const QString& value);

private:
    enum class Kind { Other, Section, Key };
    struct Line {
        QByteArray raw; // without the line end
        QByteArray eol; // "\r\n", "\n", or empty for a last line without one
        Kind kind = Kind::Other;
        QString name;   // section or key name, trimmed
        QString value;  // key value, trimmed and unquoted
    };

    void parse(const QByteArray& bytes);
    static Line parseLine(const QByteArray& raw);
    int findSection(QStringView section) const;
    int findKey(int sectionLine, QStringView key) const;
    int sectionEnd(int sectionLine) const;

    QString path_;
    std::vector<Line> lines_;
    QByteArray eol_ = "\r\n"; // for new lines; new files get the Windows line end
};

} // namespace kesmar
