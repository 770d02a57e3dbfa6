#include "app/NavigationController.h"

#include "chartdata/ChartCatalogue.h"
#include "core/IniFile.h"
#include "core/RouteLine.h"
#include "core/Viewport.h"
#include "nmea/AisTargetList.h"
#include "nmea/AisTargetPainter.h"
#include "nmea/AisTargetText.h"
#include "nmea/GpxFile.h"
#include "nmea/NmeaInput.h"
#include "nmea/OwnTrack.h"
#include "nmea/TrackPainter.h"
#include "nmea/VesselState.h"
#include "view/CKesmarView.h"
#include "view/CommandSet.h"
#include "view/PointInfoController.h"
#include "view/PointInfoWindow.h"
#include "view/ViewCommands.h"

#include <QDateTime>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>

#include <cmath>

namespace kesmar {
namespace {

// Repaints for AIS reports are gathered: thousands of targets may report
// many times a second, the picture needs to follow a few times a second.
constexpr int kRepaintMs = 250;
constexpr int kAgeMs = 5000;
constexpr int kClickSlackPixels = 3;

double profileNumber(const IniFile& profile, const char* key, double fallback)
{
    QString text = profile.readString(u"AIS", QString::fromLatin1(key), QString()).trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && v > 0.0 && std::isfinite(v) ? v : fallback;
}

QString gpxFilter()
{
    return QObject::tr("GPX-Dateien (*.gpx);;Alle Dateien (*)");
}

QString withGpxSuffix(QString path)
{
    if (!path.endsWith(QStringLiteral(".gpx"), Qt::CaseInsensitive)) path += QStringLiteral(".gpx");
    return path;
}

} // namespace

NavigationController::NavigationController(Parts parts, CKesmarView& view, NmeaInput& input, CommandSet& commands,
                                           QWidget& window)
    : QObject(&window), parts_(std::move(parts)), view_(view), viewAlive_(&view), commands_(commands), window_(window)
{
    limits_ = readLimits(parts_.profile);
    // The frame's fixed start position is no fix; the track starts with the first real one.
    startLatitude_ = parts_.vessel.latitudeMinutes;
    startLongitude_ = parts_.vessel.longitudeMinutes;
    elapsed_.start();
    clock_ = [this] { return elapsed_.elapsed(); };
    messageSink_ = [this](const QString& text) { QMessageBox::warning(&window_, QStringLiteral("Kesmar"), text); };

    connect(&input, &NmeaInput::aisMessageReceived, this, &NavigationController::aisMessage);
    connect(&input, &NmeaInput::vesselMoved, this, &NavigationController::vesselMoved);
    repaintTimer_.setSingleShot(true);
    repaintTimer_.setInterval(kRepaintMs);
    connect(&repaintTimer_, &QTimer::timeout, this, &NavigationController::repaint);
    ageTimer_.setInterval(kAgeMs);
    connect(&ageTimer_, &QTimer::timeout, this, &NavigationController::ageTargets);
    ageTimer_.start();

    view_.picture().setOverlayPainter([this](QPainter& p, const Viewport& v) { paintOverlay(p, v); });
    view_.installEventFilter(this);
    bindCommands(commands);
}

NavigationController::~NavigationController()
{
    // The frame deletes the view first; a view that is still there must not
    // call back into this object.
    if (viewAlive_) {
        view_.picture().setOverlayPainter({});
        view_.removeEventFilter(this);
    }
}

AisCpa::Limits NavigationController::readLimits(const IniFile& profile)
{
    AisCpa::Limits limits;
    limits.cpaNauticalMiles = profileNumber(profile, "CpaWarnNm", limits.cpaNauticalMiles);
    limits.tcpaMinutes = profileNumber(profile, "TcpaWarnMin", limits.tcpaMinutes);
    return limits;
}

void NavigationController::bindCommands(CommandSet& commands)
{
    commands.setChecked(CommandId::FollowVessel, false);
    commands.bind(CommandId::FollowVessel, [this] { setFollowing(!follow_.enabled()); });
    commands.bind(CommandId::ClearTrack, [this] {
        parts_.track.clear();
        view_.update();
    });
    commands.bind(CommandId::SaveRoute, [this] {
        const QString path = QFileDialog::getSaveFileName(&window_, tr("Route speichern"), parts_.programFolder, gpxFilter());
        if (!path.isEmpty()) saveRoute(withGpxSuffix(path));
    });
    commands.bind(CommandId::SaveTrack, [this] {
        const QString path = QFileDialog::getSaveFileName(&window_, tr("Track speichern"), parts_.programFolder, gpxFilter());
        if (!path.isEmpty()) saveTrack(withGpxSuffix(path));
    });
    commands.bind(CommandId::LoadRoute, [this] {
        const QString path = QFileDialog::getOpenFileName(&window_, tr("Route laden"), parts_.programFolder, gpxFilter());
        if (!path.isEmpty()) loadRoute(path);
    });
}

void NavigationController::setFollowing(bool on)
{
    follow_.setEnabled(on, view_.context().viewport);
    commands_.setChecked(CommandId::FollowVessel, on);
    if (on) vesselMoved();
}

void NavigationController::aisMessage(const AisMessage& message)
{
    if (parts_.targets.apply(message, now())) scheduleRepaint();
}

void NavigationController::ageTargets()
{
    if (parts_.targets.age(now())) scheduleRepaint();
}

void NavigationController::vesselMoved()
{
    const VesselState& vessel = parts_.vessel;
    if (!vessel.hasPosition()) return;
    if (vessel.latitudeMinutes != startLatitude_ || vessel.longitudeMinutes != startLongitude_) startLeft_ = true;
    if (startLeft_)
        parts_.track.add(vessel.latitudeMinutes / 60.0, vessel.longitudeMinutes / 60.0,
                     QDateTime::currentMSecsSinceEpoch());
    Viewport& viewport = view_.context().viewport;
    const bool wasFollowing = follow_.enabled();
    if (follow_.vesselMoved(viewport, vessel.longitudeMinutes, vessel.latitudeMinutes))
        view_.context().catalogue.selectForViewport(viewport);
    if (wasFollowing != follow_.enabled()) commands_.setChecked(CommandId::FollowVessel, follow_.enabled());
    view_.update();
}

void NavigationController::scheduleRepaint()
{
    if (!repaintTimer_.isActive()) repaintTimer_.start();
}

void NavigationController::repaint()
{
    view_.update();
    // The window follows the shown target while nobody else took it over.
    PointInfoWindow& window = infoWindow();
    if (shownMmsi_ != 0 && window.isVisible() && window.text() == shownText_) {
        const QString text = targetText(shownMmsi_);
        if (text != shownText_) {
            shownText_ = text;
            window.textBox().setPlainText(text);
        }
    }
}

PointInfoWindow& NavigationController::infoWindow()
{
    return view_.pointInfo().window();
}

std::optional<AisCpa::Track> NavigationController::ownTrack() const
{
    const VesselState& v = parts_.vessel;
    if (!v.hasPosition()) return std::nullopt;
    return AisCpa::Track{v.latitudeMinutes / 60.0, v.longitudeMinutes / 60.0, v.speedKnots, double(v.courseDegrees)};
}

void NavigationController::paintOverlay(QPainter& painter, const Viewport& viewport)
{
    // A pan made by any means (keys, menu, mouse) shows up here first.
    if (follow_.viewportChanged(view_.context().viewport))
        commands_.setChecked(CommandId::FollowVessel, false);
    TrackPainter::paint(painter, viewport, parts_.track, viewport.isPrinting(), trackBuffer_);
    AisTargetPainter::Options options;
    options.printing = viewport.isPrinting();
    options.own = ownTrack();
    options.limits = limits_;
    AisTargetPainter::paint(painter, viewport, parts_.targets, options);
}

QString NavigationController::targetText(uint32_t mmsi) const
{
    const AisTarget* t = parts_.targets.find(mmsi);
    if (!t) return tr("MMSI %1: nicht mehr empfangen").arg(mmsi);
    std::optional<AisCpa> cpa;
    if (const auto own = ownTrack()) cpa = AisTargetPainter::cpaOf(*t, *own);
    return AisTargetText::describe(*t, cpa, limits_, now());
}

bool NavigationController::showTargetAt(QPoint pixel)
{
    const std::optional<uint32_t> mmsi = AisTargetPainter::hitTest(view_.context().viewport, parts_.targets, pixel);
    if (!mmsi) return false;
    shownMmsi_ = *mmsi;
    shownText_ = targetText(*mmsi);
    infoWindow().showText(shownText_, view_.mapToGlobal(pixel));
    shownText_ = infoWindow().text();
    return true;
}

bool NavigationController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &view_) return false;
    // A plain click (no drag) on a target while nothing else is going on;
    // the event goes on to the view's own mouse handling either way.
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        pressed_ = mouse->button() == Qt::LeftButton;
        pressPoint_ = mouse->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease && pressed_) {
        pressed_ = false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const Measurement& m = view_.viewCommands().measurement();
        const bool measuring = m.measuringChecked() || m.newRouteChecked() || m.appendRouteChecked();
        if (mouse->button() == Qt::LeftButton && !measuring
            && (mouse->position().toPoint() - pressPoint_).manhattanLength() <= kClickSlackPixels)
            showTargetAt(pressPoint_);
    }
    return false;
}

void NavigationController::showMessage(const QString& text)
{
    if (messageSink_) messageSink_(text);
}

bool NavigationController::saveRoute(const QString& path)
{
    std::vector<GpxFile::Point> points;
    for (const ChartPoint& p : view_.viewCommands().route().points())
        points.push_back({-p.y / 60000.0, p.x / 60000.0, std::nullopt});
    const Status saved = GpxFile::save(path, GpxFile::routeDocument(points, tr("Route")));
    if (!saved.ok()) showMessage(tr("Die Route konnte nicht gespeichert werden:\n%1").arg(saved.error().describe()));
    return saved.ok();
}

bool NavigationController::saveTrack(const QString& path)
{
    const Status saved = GpxFile::save(path, GpxFile::trackDocument(parts_.track.points(), tr("Track")));
    if (!saved.ok()) showMessage(tr("Der Track konnte nicht gespeichert werden:\n%1").arg(saved.error().describe()));
    return saved.ok();
}

bool NavigationController::loadRoute(const QString& path)
{
    const Result<std::vector<GpxFile::Point>> loaded = GpxFile::load(path);
    if (!loaded.ok()) {
        const Error& e = loaded.error();
        const QString where = e.line >= 0 ? tr("%1, Zeile %2").arg(e.file).arg(e.line) : e.file;
        showMessage(tr("Die GPX-Datei ist fehlerhaft:\n%1:\n%2").arg(where, e.reason));
        return false;
    }
    const std::vector<GpxFile::Point>& points = *loaded;
    RouteLine& route = view_.viewCommands().route();
    route.clear();
    // A long track is thinned evenly to what the help line holds; its ends stay.
    const size_t n = points.size();
    const size_t keep = std::min(n, RouteLine::kMaxPoints);
    for (size_t i = 0; i < keep; ++i) {
        const size_t index = keep < 2 ? 0 : i * (n - 1) / (keep - 1);
        const GpxFile::Point& p = points[index];
        route.append(ChartPoint{int32_t(-p.latitude * 60000.0), int32_t(p.longitude * 60000.0)});
    }
    view_.update();
    return true;
}

} // namespace kesmar
