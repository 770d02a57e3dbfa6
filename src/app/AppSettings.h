#pragma once
#include <QString>

namespace kesmar {

class IniFile;

// The few start values of KMR.INI, read once at start-up; nothing writes
// them back.
struct AppSettings {
    // The download server's host name names the section of the dial-up entry
    // and is that entry's default.
    static constexpr const char* kDownloadServer = "synop-server";
    static constexpr int kMaxUrlLength = 255;
    static constexpr int kMaxDialupLength = 63;

    QString synopBaseUrl = QStringLiteral("syn"); // [URL] syn
    QString buoyBaseUrl = QStringLiteral("boy");  // [URL] boy
    QString dialupEntry = QString::fromLatin1(kDownloadServer);
    int mile = 1;                                  // [MAP] mile, unit of measured distances

    // Values longer than their fields are cut to 255 (addresses) and 63
    // (dial-up entry) characters.
    static AppSettings read(const IniFile& ini);
};

} // namespace kesmar
