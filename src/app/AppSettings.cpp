#include "app/AppSettings.h"

#include "core/IniFile.h"

namespace kesmar {

AppSettings AppSettings::read(const IniFile& ini)
{
    AppSettings s;
    s.buoyBaseUrl = ini.readString(u"URL", u"boy", QStringLiteral("boy")).left(kMaxUrlLength);
    s.synopBaseUrl = ini.readString(u"URL", u"syn", QStringLiteral("syn")).left(kMaxUrlLength);
    const QString server = QString::fromLatin1(kDownloadServer);
    s.dialupEntry = ini.readString(server, u"dialup", server).left(kMaxDialupLength);
    // Read as text with the default "1", then converted like atoi: "abc" is 0.
    s.mile = atoiLike(ini.readString(u"MAP", u"mile", QStringLiteral("1")));
    return s;
}

} // namespace kesmar
