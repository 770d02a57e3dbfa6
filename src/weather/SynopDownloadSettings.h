#pragma once
#include <QString>
#include <QStringList>
#include <QUrl>

namespace kesmar {

class IniFile;

// Where the hourly SYNOP files come from and how the connection is made:
// [URL] syn and boy from KMR.INI, and from the download server's section
// the dial-up entry and two optional commands that bring the connection up
// and down (for example "nmcli connection up id %s"; an argument "%s" stands
// for the dial-up entry). Without a dial command nothing is dialled.
struct SynopDownloadSettings {
    static constexpr const char* kServerSection = "synop-server";
    static constexpr int kMaxUrlLength = 255;
    static constexpr int kMaxDialupLength = 63;

    QString synopBaseUrl = QStringLiteral("syn");
    QString buoyBaseUrl = QStringLiteral("boy");
    QString dialupEntry = QString::fromLatin1(kServerSection);
    QString dialCommand;
    QString hangUpCommand;

    static SynopDownloadSettings read(const IniFile& ini);

    // "%s/%s" with the base address and the file name; buoy files (a "b" as
    // the twelfth character of the name) come from the buoy address.
    QUrl remoteUrl(const QString& fileName) const;
    // The server's host for the dialogs' "LOAD ..." line.
    QString serverAddress() const;
    // A command line split into program and arguments, "%s" replaced by the
    // dial-up entry; empty when no command is set.
    QStringList commandArguments(const QString& commandLine) const;
};

} // namespace kesmar
