#include "chartdata/ChartError.h"

#include <QCoreApplication>

namespace kesmar {

QString ChartError::message() const
{
    switch (kind) {
    case Kind::HeaderMissing:
        // A short header is reported like a missing one.
        return QStringLiteral("OPEN ERROR CHART HEADER %1.HDR").arg(chart);
    case Kind::CatalogueFull:
        return QCoreApplication::translate("ChartCatalogue",
                                           "Es können höchstens 100 Karten benutzt werden.\n"
                                           "Die Karte %1 wurde nicht aufgenommen.")
            .arg(chart);
    case Kind::NameTooLong:
        return QCoreApplication::translate("ChartCatalogue",
                                           "Der Kartenname %1 ist zu lang (höchstens 68 Zeichen).")
            .arg(chart);
    case Kind::WriteFailed:
        return QCoreApplication::translate("ChartCatalogue", "Die Datei %1 konnte nicht geschrieben werden.")
            .arg(file);
    }
    return reason;
}

ChartError ChartError::writeFailed(const QString& path, const QString& reason)
{
    ChartError error;
    error.kind = Kind::WriteFailed;
    error.file = path;
    error.reason = reason;
    return error;
}

} // namespace kesmar
