#include "core/IniFile.h"

#include "core/FileUtil.h"

#include <QList>
#include <QStringDecoder>
#include <limits>

namespace kesmar {

int atoiLike(QStringView text)
{
    qsizetype i = 0;
    const auto isSpace = [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
    };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    constexpr long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        return static_cast<int>(-value);
    return static_cast<int>(std::min<long long>(value, std::numeric_limits<int>::max()));
}

namespace {

// Settings files written on Linux are UTF-8; old ones may be in a code page.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QString unquote(QString value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniFile::IniFile(QString path) : path_(std::move(path)) {}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    ini.parse(bytes);
    return ini;
}

Status IniFile::load()
{
    const Result<QByteArray> bytes = readFile(path_);
    parse(bytes ? *bytes : QByteArray());
    if (!bytes)
        return bytes.error();
    return {};
}

void IniFile::parse(const QByteArray& bytes)
{
    lines_.clear();
    eol_ = "\r\n";
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        QByteArray eol = "\n";
        if (end < 0) {
            end = bytes.size();
            eol.clear();
        }
        QByteArray raw = bytes.mid(start, end - start);
        if (!eol.isEmpty() && raw.endsWith('\r')) {
            raw.chop(1);
            eol = "\r\n";
        }
        if (lines_.empty() && !eol.isEmpty())
            eol_ = eol; // new lines follow the file's first line end
        Line line = parseLine(raw);
        line.eol = eol;
        lines_.push_back(std::move(line));
        start = end + 1;
    }
}

IniFile::Line IniFile::parseLine(const QByteArray& raw)
{
    Line line;
    line.raw = raw;
    QString text = decode(raw);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString trimmed = text.trimmed();
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        line.kind = Kind::Section;
        line.name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        return line;
    }
    if (trimmed.startsWith(u';'))
        return line;
    const qsizetype eq = trimmed.indexOf(u'=');
    if (eq <= 0)
        return line;
    line.kind = Kind::Key;
    line.name = trimmed.left(eq).trimmed();
    line.value = unquote(trimmed.mid(eq + 1).trimmed());
    return line;
}

int IniFile::findSection(QStringView section) const
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && sameName(lines_[i].name, section))
            return static_cast<int>(i);
    }
    return -1;
}

int IniFile::sectionEnd(int sectionLine) const
{
    size_t i = static_cast<size_t>(sectionLine) + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section)
        ++i;
    return static_cast<int>(i);
}

int IniFile::findKey(int sectionLine, QStringView key) const
{
    const int end = sectionEnd(sectionLine);
    for (int i = sectionLine + 1; i < end; ++i) {
        const Line& line = lines_[static_cast<size_t>(i)];
        if (line.kind == Kind::Key && sameName(line.name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    const int s = findSection(section);
    if (s < 0)
        return std::nullopt;
    const int k = findKey(s, key);
    if (k < 0)
        return std::nullopt;
    return lines_[static_cast<size_t>(k)].value;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& fallback) const
{
    return value(section, key).value_or(fallback);
}

int IniFile::readInt(QStringView section, QStringView key, int fallback) const
{
    const auto text = value(section, key);
    return text ? atoiLike(*text) : fallback;
}

void IniFile::setValue(QStringView section, QStringView key, const QString& value)
{
    QString clean = value;
    clean.replace(u'\r', u' ').replace(u'\n', u' ');
    int s = findSection(section);
    if (s < 0) {
        if (!lines_.empty() && !lines_.back().raw.trimmed().isEmpty())
            lines_.push_back(Line{{}, eol_});
        lines_.push_back(parseLine("[" + section.toUtf8() + "]"));
        lines_.back().eol = eol_;
        s = static_cast<int>(lines_.size()) - 1;
    }
    const int k = findKey(s, key);
    if (k >= 0) {
        Line& line = lines_[static_cast<size_t>(k)];
        const QByteArray eol = line.eol;
        line = parseLine(line.name.toUtf8() + "=" + clean.toUtf8());
        line.eol = eol;
        return;
    }
    // New keys go after the section's last non-blank line, as the profile
    // writer does, so a blank line before the next section stays in place.
    int insertAt = sectionEnd(s);
    while (insertAt > s + 1 && lines_[static_cast<size_t>(insertAt - 1)].raw.trimmed().isEmpty())
        --insertAt;
    Line added = parseLine(key.toUtf8() + "=" + clean.toUtf8());
    added.eol = eol_;
    lines_.insert(lines_.begin() + insertAt, std::move(added));
}

QByteArray IniFile::toBytes() const
{
    QByteArray out;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        // A last line without line end stays so; once lines follow it, it gets one.
        const bool last = i + 1 == lines_.size();
        out += line.raw + (line.eol.isEmpty() && !last ? eol_ : line.eol);
    }
    return out;
}

Status IniFile::save() const
{
    return writeFileAtomically(path_, toBytes());
}

} // namespace kesmar
