#include "S57Cell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_api.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace kesmar::chartbuild {

namespace {

// Record fields of the driver that are no object attributes.
const std::set<std::string> kRecordFields{"RCID", "PRIM", "GRUP", "OBJL", "RVER", "AGEN", "FIDN", "FIDS",
                                          "LNAM", "LNAM_REFS", "FFPT_RIND"};

// GDAL errors raised while the cell is read, kept instead of printed.
class ErrorTrap {
public:
    ErrorTrap() { CPLPushErrorHandlerEx(&ErrorTrap::handle, this); }
    ~ErrorTrap() { CPLPopErrorHandler(); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    const QString& failure() const { return failure_; }

private:
    static void CPL_STDCALL handle(CPLErr level, CPLErrorNum, const char* message)
    {
        auto* self = static_cast<ErrorTrap*>(CPLGetErrorHandlerUserData());
        if (self && level >= CE_Failure && self->failure_.isEmpty())
            self->failure_ = QString::fromUtf8(message);
    }
    QString failure_;
};

// An ISO 8211 file starts with a leader: record length in five digits, then
// the leader identifier 'L' at offset 6.
bool looksLikeIso8211(const QByteArray& head)
{
    if (head.size() < 24 || head[6] != 'L')
        return false;
    return std::all_of(head.begin(), head.begin() + 5, [](char c) { return c >= '0' && c <= '9'; });
}

// Encrypted cells look like noise: almost every byte value occurs early on.
bool looksEncrypted(const QByteArray& head)
{
    std::set<unsigned char> seen(head.begin(), head.end());
    return head.size() >= 512 && seen.size() >= 160;
}

Result<void> checkFile(const QString& path, const char* what)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return Error::inFile(path, QStringLiteral("cannot open the %1: %2").arg(QLatin1String(what), f.errorString()));
    const QByteArray head = f.read(1024);
    if (looksLikeIso8211(head))
        return {};
    if (looksEncrypted(head))
        return Error::inFile(path, QStringLiteral("encrypted (S-63) %1; only unencrypted S-57 cells can be imported")
                                       .arg(QLatin1String(what)));
    return Error::inFile(path, QStringLiteral("not an S-57 %1 (no ISO 8211 leader)").arg(QLatin1String(what)));
}

using DatasetPtr = std::unique_ptr<GDALDataset>;

DatasetPtr openS57(const QString& path, bool applyUpdates)
{
    const char* drivers[] = {"S57", nullptr};
    const char* options[] = {applyUpdates ? "UPDATES=APPLY" : "UPDATES=NO", "SPLIT_MULTIPOINT=ON",
                             "ADD_SOUNDG_DEPTH=ON", "LNAM_REFS=OFF", "RETURN_PRIMITIVES=OFF",
                             "RETURN_LINKAGES=OFF", nullptr};
    const QByteArray native = QFile::encodeName(path);
    return DatasetPtr(GDALDataset::Open(native.constData(), GDAL_OF_VECTOR | GDAL_OF_READONLY, drivers, options,
                                        nullptr));
}

struct Identity {
    QString name;
    QString edition;
    int update = -1;
    int scale = 0;
};

Identity identity(GDALDataset& ds)
{
    Identity id;
    OGRLayer* dsid = ds.GetLayerByName("DSID");
    if (!dsid)
        return id;
    dsid->ResetReading();
    std::unique_ptr<OGRFeature> f(dsid->GetNextFeature());
    if (!f)
        return id;
    id.name = QString::fromUtf8(f->GetFieldAsString("DSID_DSNM"));
    id.edition = QString::fromUtf8(f->GetFieldAsString("DSID_EDTN")).trimmed();
    bool ok = false;
    id.update = QString::fromUtf8(f->GetFieldAsString("DSID_UPDN")).trimmed().toInt(&ok);
    if (!ok)
        id.update = -1;
    id.scale = f->GetFieldAsInteger("DSPM_CSCL");
    return id;
}

// CELL.001, CELL.002, ... as the driver finds them: consecutive, any case.
QStringList updateFiles(const QString& path)
{
    const QFileInfo info(path);
    const QDir dir = info.dir();
    const QStringList all = dir.entryList(QDir::Files);
    QStringList found;
    for (int n = 1; n < 1000; ++n) {
        const QString wanted = info.completeBaseName() + QStringLiteral(".%1").arg(n, 3, 10, QLatin1Char('0'));
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](const QString& f) { return f.compare(wanted, Qt::CaseInsensitive) == 0; });
        if (it == all.end())
            break;
        found << dir.filePath(*it);
    }
    return found;
}

Result<void> checkUpdates(const QStringList& updates, const Identity& base)
{
    for (int i = 0; i < updates.size(); ++i) {
        const QString& file = updates[i];
        if (auto ok = checkFile(file, "update"); !ok)
            return ok;
        ErrorTrap trap;
        DatasetPtr ds = openS57(file, false);
        if (!ds)
            return Error::inFile(file, QStringLiteral("update cannot be read: %1").arg(trap.failure()));
        const Identity id = identity(*ds);
        if (id.update != i + 1)
            return Error::inFile(file, QStringLiteral("update does not apply: it is update %1, the cell needs update %2")
                                           .arg(id.update).arg(i + 1));
        if (id.edition != base.edition)
            return Error::inFile(file, QStringLiteral("update does not apply: it is for edition %1, the cell is edition %2")
                                           .arg(id.edition, base.edition));
    }
    return {};
}

QString fieldText(const OGRFeature& f, int i)
{
    const OGRFieldDefn* def = f.GetFieldDefnRef(i);
    int n = 0;
    QStringList parts;
    switch (def->GetType()) {
    case OFTIntegerList: {
        const int* v = f.GetFieldAsIntegerList(i, &n);
        for (int k = 0; k < n; ++k)
            parts << QString::number(v[k]);
        return parts.join(QLatin1Char(','));
    }
    case OFTRealList: {
        const double* v = f.GetFieldAsDoubleList(i, &n);
        for (int k = 0; k < n; ++k)
            parts << QString::number(v[k], 'g', 12);
        return parts.join(QLatin1Char(','));
    }
    case OFTStringList: {
        char** v = f.GetFieldAsStringList(i);
        for (; v && *v; ++v)
            parts << QString::fromUtf8(*v);
        return parts.join(QLatin1Char(','));
    }
    case OFTReal: return QString::number(f.GetFieldAsDouble(i), 'g', 12);
    default: return QString::fromUtf8(f.GetFieldAsString(i));
    }
}

std::vector<GeoPoint> points(const OGRSimpleCurve& curve)
{
    std::vector<GeoPoint> out;
    out.reserve(size_t(curve.getNumPoints()));
    for (int i = 0; i < curve.getNumPoints(); ++i)
        out.push_back({curve.getX(i), curve.getY(i)});
    return out;
}

void addGeometry(const OGRGeometry& g, S57Feature& f)
{
    switch (wkbFlatten(g.getGeometryType())) {
    case wkbPoint: {
        const auto& p = *g.toPoint();
        f.shape = S57Feature::Shape::Point;
        f.object.longitude = p.getX();
        f.object.latitude = p.getY();
        break;
    }
    case wkbLineString:
        f.shape = S57Feature::Shape::Line;
        f.parts.push_back(points(*g.toLineString()));
        break;
    case wkbPolygon:
        if (const OGRLinearRing* ring = g.toPolygon()->getExteriorRing()) {
            f.shape = S57Feature::Shape::Area;
            f.parts.push_back(points(*ring));
        }
        break;
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry* part : *g.toGeometryCollection())
            addGeometry(*part, f);
        break;
    default:
        break;
    }
}

// Where a line or area object stands, for the point symbols of dangers.
void placeObject(const OGRGeometry& g, S57Feature& f)
{
    if (f.shape == S57Feature::Shape::Point || f.parts.empty())
        return;
    if (f.shape == S57Feature::Shape::Area) {
        OGRGeometryH inside = OGR_G_PointOnSurface(OGRGeometry::ToHandle(const_cast<OGRGeometry*>(&g)));
        const bool found = inside && OGR_G_IsEmpty(inside) == FALSE;
        if (found) {
            f.object.longitude = OGR_G_GetX(inside, 0);
            f.object.latitude = OGR_G_GetY(inside, 0);
        }
        OGR_G_DestroyGeometry(inside);
        if (found)
            return;
    }
    const std::vector<GeoPoint>& first = f.parts.front();
    const GeoPoint mid = first[first.size() / 2];
    f.object.longitude = mid.lon;
    f.object.latitude = mid.lat;
}

void grow(GeoBox& box, bool& empty, const GeoPoint& p)
{
    if (empty) {
        box = {p.lon, p.lon, p.lat, p.lat};
        empty = false;
        return;
    }
    box.west = std::min(box.west, p.lon);
    box.east = std::max(box.east, p.lon);
    box.south = std::min(box.south, p.lat);
    box.north = std::max(box.north, p.lat);
}

bool skippedLayer(const QString& name)
{
    return name == QLatin1String("DSID") || name.startsWith(QLatin1String("M_")) || name.startsWith(QLatin1String("C_"));
}

void readFeatures(GDALDataset& ds, S57Cell& cell)
{
    bool empty = true;
    for (OGRLayer* layer : ds.GetLayers()) {
        const QString cls = QString::fromUtf8(layer->GetName());
        if (skippedLayer(cls))
            continue;
        layer->ResetReading();
        for (auto& feature : *layer) {
            S57Feature f;
            f.object.objectClass = cls;
            f.object.scaleBand = cell.usageBand;
            for (int i = 0; i < feature->GetFieldCount(); ++i) {
                if (!feature->IsFieldSetAndNotNull(i) || kRecordFields.count(feature->GetFieldDefnRef(i)->GetNameRef()))
                    continue;
                const QString value = fieldText(*feature, i);
                if (!value.isEmpty())
                    f.object.attributes.insert(QString::fromUtf8(feature->GetFieldDefnRef(i)->GetNameRef()), value);
            }
            if (const OGRGeometry* g = feature->GetGeometryRef()) {
                addGeometry(*g, f);
                placeObject(*g, f);
            }
            if (f.shape == S57Feature::Shape::Point)
                grow(cell.extent, empty, {f.object.longitude, f.object.latitude});
            for (const auto& part : f.parts)
                for (const GeoPoint& p : part)
                    grow(cell.extent, empty, p);
            cell.features.push_back(std::move(f));
        }
    }
}

} // namespace

int usageBandForScale(int scale)
{
    if (scale <= 0)
        return 0;
    if (scale > 1'500'000)
        return 1;
    if (scale > 350'000)
        return 2;
    if (scale > 90'000)
        return 3;
    if (scale > 22'000)
        return 4;
    return scale > 4'000 ? 5 : 6;
}

Result<S57Cell> S57Cell::read(const QString& path)
{
    if (auto ok = checkFile(path, "cell"); !ok)
        return ok.error();
    GDALAllRegister();
    S57Cell cell;
    cell.path = path;
    Identity base;
    {
        ErrorTrap trap;
        DatasetPtr plain = openS57(path, false);
        if (!plain)
            return Error::inFile(path, QStringLiteral("GDAL cannot read the cell: %1").arg(trap.failure()));
        base = identity(*plain);
    }
    const QStringList updates = updateFiles(path);
    if (auto ok = checkUpdates(updates, base); !ok)
        return ok.error();
    ErrorTrap trap;
    DatasetPtr ds = openS57(path, true);
    if (!ds)
        return Error::inFile(path, QStringLiteral("GDAL cannot read the cell with its updates: %1").arg(trap.failure()));
    cell.name = base.name.isEmpty() ? QFileInfo(path).fileName() : base.name;
    cell.compilationScale = base.scale;
    cell.usageBand = usageBandForScale(base.scale);
    cell.updates = int(updates.size());
    readFeatures(*ds, cell);
    if (!trap.failure().isEmpty()) {
        const QString file = updates.isEmpty() ? path : updates.join(QStringLiteral(", "));
        return Error::inFile(file, QStringLiteral("GDAL could not read everything: %1").arg(trap.failure()));
    }
    if (cell.features.empty())
        return Error::inFile(path, QStringLiteral("the cell holds no objects"));
    return cell;
}

} // namespace kesmar::chartbuild
