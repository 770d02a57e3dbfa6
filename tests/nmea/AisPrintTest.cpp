// kesmar-nmea --print-ais against a real peer: gpsdecode -j from Debian's
// gpsd-clients decodes the same sentences; every field we print must hold
// gpsd's value, and every field of ours that is missing must be one gpsd
// prints with a "not available" code.
#include "AisTestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace {

QList<QJsonObject> jsonLines(const QByteArray& text)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : text.split('\n')) {
        if (line.trimmed().isEmpty()) continue;
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.constData();
        objects.append(doc.object());
    }
    return objects;
}

QByteArray run(const QString& program, const QStringList& arguments, const QString& stdinFile = {})
{
    QProcess p;
    if (!stdinFile.isEmpty()) p.setStandardInputFile(stdinFile);
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().constData();
    return p.readAllStandardOutput();
}

// "MM-DDThh:mmZ" or "YYYY-MM-DDThh:mm:ssZ" with a part that means "not available".
bool timeNotAvailable(const QString& text)
{
    const QList<QString> parts = text.split(QRegularExpression(QStringLiteral("[-T:Z]")), Qt::SkipEmptyParts);
    const bool withYear = parts.size() == 6;
    const int o = withYear ? 1 : 0;
    if (parts.size() < 4 + o) return false;
    return (withYear && parts[0].toInt() == 0) || parts[o].toInt() == 0 || parts[o].toInt() > 12
           || parts[o + 1].toInt() == 0 || parts[o + 2].toInt() >= 24 || parts[o + 3].toInt() >= 60
           || (withYear && parts[5].toInt() >= 60);
}

// gpsd prints the raw code where we leave the field out.
bool notAvailable(const QString& key, const QJsonValue& v)
{
    const double d = v.toDouble();
    if (key == QLatin1String("lat")) return std::fabs(d) > 90.0;
    if (key == QLatin1String("lon")) return std::fabs(d) > 180.0;
    if (key == QLatin1String("speed")) return v.isString() || d >= 102.3;
    if (key == QLatin1String("course")) return v.isString() || d >= 360.0;
    if (key == QLatin1String("heading")) return d >= 360.0;
    if (key == QLatin1String("second")) return d >= 60.0;
    if (key == QLatin1String("turn")) return v.toString() == QLatin1String("nan");
    if (key == QLatin1String("status")) return d >= 15.0;
    if (key == QLatin1String("shiptype")) return d == 0.0 || d > 99.0;
    if (key == QLatin1String("aid_type") || key == QLatin1String("imo") || key == QLatin1String("draught")
        || key.startsWith(QLatin1String("to_")))
        return d == 0.0;
    if (key == QLatin1String("shipname") || key == QLatin1String("callsign") || key == QLatin1String("name")
        || key == QLatin1String("destination"))
        return v.toString().isEmpty();
    if (key == QLatin1String("timestamp") || key == QLatin1String("eta")) return timeNotAvailable(v.toString());
    // Cut-short radio status and the missing DTE bit of short type 5 reports.
    return key == QLatin1String("radio") || key == QLatin1String("dte");
}

// The keys we print for a type (any of ours, from every object we printed).
struct Comparison {
    int objects = 0;
    int fields = 0;
};

void compareObject(const QJsonObject& gpsd, const QJsonObject& ours, const std::set<QString>& ourKeys,
                   Comparison& c, const std::string& where)
{
    ++c.objects;
    for (auto it = gpsd.begin(); it != gpsd.end(); ++it) {
        const QString key = it.key();
        if (!ourKeys.count(key) || key == QLatin1String("class") || key == QLatin1String("device")) continue;
        if (!ours.contains(key)) {
            EXPECT_TRUE(notAvailable(key, it.value()))
                << where << ": " << key.toStdString() << " missing, gpsd has "
                << QJsonDocument(QJsonObject{{key, it.value()}}).toJson(QJsonDocument::Compact).constData();
            continue;
        }
        const QJsonValue mine = ours.value(key);
        ++c.fields;
        if (it.value().isDouble()) {
            ASSERT_TRUE(mine.isDouble()) << where << ": " << key.toStdString();
            EXPECT_NEAR(mine.toDouble(), it.value().toDouble(), 1.1e-6) << where << ": " << key.toStdString();
        } else {
            EXPECT_EQ(mine, it.value()) << where << ": " << key.toStdString() << " ours "
                                        << mine.toVariant().toString().toStdString() << " gpsd "
                                        << it.value().toVariant().toString().toStdString();
        }
    }
}

Comparison compareFile(const QString& relative)
{
    QTemporaryDir dir;
    // Both decoders get the same sentences: comment lines go.
    const QString input = dir.filePath(QStringLiteral("input.aivdm"));
    QByteArray sentences;
    for (const QByteArray& line : kesmar::test::sharedLines(relative))
        if (line.startsWith('!')) sentences += line + "\r\n";
    EXPECT_FALSE(sentences.isEmpty()) << relative.toStdString();
    QFile file(input);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sentences);
    file.close();

    const QList<QJsonObject> ours = jsonLines(
        run(QStringLiteral(KESMAR_NMEA_TOOL), {QStringLiteral("--print-ais"), QStringLiteral("file:") + input}));
    const QList<QJsonObject> gpsd = jsonLines(run(QStringLiteral("gpsdecode"), {QStringLiteral("-j")}, input));

    std::map<int, std::set<QString>> keysByType;
    std::map<std::pair<int, qint64>, QList<QJsonObject>> queue;
    for (const QJsonObject& o : ours) {
        const int type = o.value(QLatin1String("type")).toInt();
        for (const QString& k : o.keys()) keysByType[type].insert(k);
        queue[{type, qint64(o.value(QLatin1String("mmsi")).toDouble())}].append(o);
    }
    Comparison c;
    for (const QJsonObject& g : gpsd) {
        const int type = g.value(QLatin1String("type")).toInt();
        if (!keysByType.count(type) && type != 24) continue;
        const qint64 mmsi = qint64(g.value(QLatin1String("mmsi")).toDouble());
        const std::string where = relative.toStdString() + " type " + std::to_string(type) + " mmsi "
                                  + std::to_string(mmsi);
        QList<QJsonObject>& mine = queue[{type, mmsi}];
        if (type == 24) {
            // gpsd joins part A and part B into one report; we print each part.
            QJsonObject joined;
            for (const QJsonObject& part : mine)
                for (auto it = part.begin(); it != part.end(); ++it) joined.insert(it.key(), it.value());
            EXPECT_FALSE(mine.isEmpty()) << where;
            compareObject(g, joined, keysByType[24], c, where);
            continue;
        }
        if (mine.isEmpty()) {
            ADD_FAILURE() << where << ": gpsd decoded it, we did not";
            continue;
        }
        compareObject(g, mine.takeFirst(), keysByType[type], c, where);
    }
    return c;
}

TEST(AisPrint, AgreesWithGpsdecodeOnTheSample)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("gpsdecode")).isEmpty())
        << "gpsdecode (Debian gpsd-clients) is needed";
    const Comparison c = compareFile(QStringLiteral("ais/sample.aivdm"));
    EXPECT_GE(c.objects, 20);
    EXPECT_GE(c.fields, 250);
}

TEST(AisPrint, AgreesWithGpsdecodeOnTheClassBLog)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("gpsdecode")).isEmpty());
    const Comparison c = compareFile(QStringLiteral("ais/ais-18-27.log"));
    EXPECT_EQ(c.objects, 69);
    EXPECT_GE(c.fields, 69 * 15);
}

TEST(AisPrint, LeavesOutWhatIsNotAvailable)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("na.aivdm")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Type 4 with date, time and position not available (sample.aivdm).
    file.write("!AIVDM,1,1,,A,402Fha0000Htt<tSF0l4Q@000d20,0*65\n");
    file.close();
    const QList<QJsonObject> ours = jsonLines(
        run(QStringLiteral(KESMAR_NMEA_TOOL), {QStringLiteral("--print-ais"), QStringLiteral("file:") + file.fileName()}));
    ASSERT_EQ(ours.size(), 1);
    EXPECT_EQ(ours[0].value(QLatin1String("mmsi")).toInt(), 2470052);
    for (const char* key : {"lat", "lon", "timestamp"}) EXPECT_FALSE(ours[0].contains(QLatin1String(key))) << key;
}

} // namespace
