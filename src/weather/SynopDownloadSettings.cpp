#include "weather/SynopDownloadSettings.h"

#include "core/IniFile.h"

#include <QProcess>

namespace kesmar {

SynopDownloadSettings SynopDownloadSettings::read(const IniFile& ini)
{
    SynopDownloadSettings s;
    s.synopBaseUrl = ini.readString(u"URL", u"syn", s.synopBaseUrl).left(kMaxUrlLength);
    s.buoyBaseUrl = ini.readString(u"URL", u"boy", s.buoyBaseUrl).left(kMaxUrlLength);
    const QString server = QString::fromLatin1(kServerSection);
    s.dialupEntry = ini.readString(server, u"dialup", server).left(kMaxDialupLength);
    s.dialCommand = ini.readString(server, u"dialcommand", {});
    s.hangUpCommand = ini.readString(server, u"hangupcommand", {});
    return s;
}

QUrl SynopDownloadSettings::remoteUrl(const QString& fileName) const
{
    QString base = fileName.size() > 11 && fileName[11] == QLatin1Char('b') ? buoyBaseUrl : synopBaseUrl;
    // "%s/%s": a base written with its own trailing slash must not double it.
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + QLatin1Char('/') + fileName);
}

QString SynopDownloadSettings::serverAddress() const
{
    const QUrl url(synopBaseUrl);
    return url.host().isEmpty() ? synopBaseUrl : url.host();
}

QStringList SynopDownloadSettings::commandArguments(const QString& commandLine) const
{
    QStringList arguments = QProcess::splitCommand(commandLine);
    for (QString& argument : arguments) {
        if (argument == QLatin1String("%s"))
            argument = dialupEntry;
    }
    return arguments;
}

} // namespace kesmar
