#include "settings/SettingsFileCheck.h"

#include "chartdata/ChartCatalogue.h"
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kesmar {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("SettingsFileCheck", text);
}

} // namespace

SettingsFileCheck::Findings SettingsFileCheck::check(const QString& programFolder)
{
    Findings f;
    const QFileInfo list(ChartCatalogue::listPath(programFolder));
    if (list.exists()) {
        const qint64 size = list.size();
        QFile file(list.filePath());
        const bool readable = file.open(QIODevice::ReadOnly);
        if (!readable || size % qint64(ChartEntry::kSize) != 0
            || size > qint64(ChartCatalogue::kCapacity) * qint64(ChartEntry::kSize)) {
            f.listDamaged = true;
            f.messages.append(tr("Die Kartenliste %1 ist beschädigt (%2 Bytes) und wurde nur zum Teil gelesen.\n"
                                 "Mit OK wird sie neu geschrieben, die alte bleibt als %1.bak erhalten.")
                                  .arg(QDir::toNativeSeparators(list.filePath()))
                                  .arg(size));
        }
    }
    const QFileInfo config(ChartConfig::filePath(programFolder));
    if (config.exists() && config.size() != qint64(ChartConfig::kSize)) {
        f.configDamaged = true;
        f.messages.append(tr("Die Karteneinstellungen %1 sind beschädigt (%2 statt %3 Bytes).\n"
                             "Beim Beenden werden sie mit den jetzt gültigen Werten neu geschrieben.")
                              .arg(QDir::toNativeSeparators(config.filePath()))
                              .arg(config.size())
                              .arg(ChartConfig::kSize));
    }
    return f;
}

bool SettingsFileCheck::keepDamagedList(const QString& programFolder)
{
    const QString path = ChartCatalogue::listPath(programFolder);
    const QString backup = path + QStringLiteral(".bak");
    QFile::remove(backup);
    return QFile::copy(path, backup);
}

} // namespace kesmar
