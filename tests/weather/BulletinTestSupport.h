#pragma once
// A program folder in a temporary directory with received products: RTF
// bulletins as the receiving terminal writes them, fax bitmaps, station files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace kesmar::test {

inline void useUtc()
{
    setenv("TZ", "UTC", 1);
    tzset();
}

// Lines as the terminal writes them: a font table, then one "\par " line each.
inline QByteArray rtfBulletin(const QStringList& lines)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 Courier New;}}\r\n"
                     "{\\colortbl ;\\red0\\green0\\blue0;}\r\n"
                     "{\\*\\generator Riched20 5.40.11.2210;}\\viewkind4\\uc1\\pard\\f0\\fs20 ZCZC\r\n";
    for (const QString& line : lines)
        rtf += "\\par " + line.toLatin1() + "\r\n";
    rtf += "\\par NNNN\r\n\\par }\r\n";
    return rtf;
}

class ProgramFolder {
public:
    ProgramFolder()
    {
        QDir(path()).mkpath(QStringLiteral("SYNOP"));
        QDir(path()).mkpath(QStringLiteral("FAX"));
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes) const
    {
        QDir(path()).mkpath(QFileInfo(relative).path());
        QFile f(file(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    void writeBulletin(const QString& name, const QStringList& lines) const
    {
        write(QStringLiteral("SYNOP/") + name, rtfBulletin(lines));
    }
    void writeFax(const QString& name) const
    {
        QImage image(64, 32, QImage::Format_RGB32);
        image.fill(Qt::white);
        ASSERT_TRUE(image.save(file(QStringLiteral("FAX/") + name), "BMP"));
    }
    // Station-file records: only the observation time (offset 12) matters here.
    void writeStationFile(const std::vector<uint32_t>& times, int extraBytes = 0) const
    {
        QByteArray bytes;
        for (uint32_t t : times) {
            QByteArray record(487, '\0');
            for (int i = 0; i < 4; ++i)
                record[12 + i] = static_cast<char>((t >> (8 * i)) & 0xFF);
            bytes += record;
        }
        bytes += QByteArray(extraBytes, '\x55');
        write(QStringLiteral("SYNOP/STATION.DAT"), bytes);
    }

private:
    QTemporaryDir dir_;
};

} // namespace kesmar::test
