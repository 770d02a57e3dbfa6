#include "weather/ui/WeatherMovieDlg.h"

#include "core/FileUtil.h"
#include "core/IniFile.h"
#include "weather/MovieDecoder.h"
#include "weather/MovieFile.h"
#include "weather/ui/MovieView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <chrono>
#include <thread>

namespace kesmar {

using Mode = MoviePlayer::Mode;

WeatherMovieDlg::WeatherMovieDlg(QString programFolder, IniFile& profile, QString& movieFile, QWidget* parent)
    : QDialog(parent)
    , folder_(std::move(programFolder))
    , profile_(profile)
    , movieFile_(movieFile)
    , settings_(MovieSettings::read(profile))
    , timer_(new QTimer(this))
    , clock_([] {
        using namespace std::chrono;
        return static_cast<qint64>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    })
{
    setObjectName(QStringLiteral("WeatherMovieDlg"));
    setWindowTitle(QString::fromLatin1(kIdleCaption));
    setSizeGripEnabled(true);
    player_.setSpeed(settings_.speed);
    player_.setLoop(settings_.loop);
    player_.setMode(static_cast<Mode>(settings_.mode));
    buildControls();
    resize(720, 520);
    if (settings_.rect)
        setGeometry(*settings_.rect);
    timer_->setInterval(kTickMs);
    connect(timer_, &QTimer::timeout, this, &WeatherMovieDlg::tick);

    chooseFile_ = [this] {
        return QFileDialog::getOpenFileName(
            this, tr("Open AVI"), programPath(folder_, QStringLiteral("SYNOP")) + QLatin1Char('/'),
            tr("AVI-Filme (*.avi *.AVI);;Alle Filme (*.avi *.AVI *.mp4 *.mkv *.gif *.mov *.webm);;Alle Dateien (*)"));
    };
    showError_ = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Kesmar"), text); };
}

WeatherMovieDlg::~WeatherMovieDlg() = default;

void WeatherMovieDlg::buildControls()
{
    modes_ = new QButtonGroup(this);
    auto* top = new QHBoxLayout;
    const struct {
        Mode mode;
        const char* text;
        const char* name;
    } buttons[] = {{Mode::Load, "LOAD", "load1191"}, {Mode::Play, "PLAY", "play1188"},
                   {Mode::Loop, "LOOP", "loop1190"}, {Mode::Stop, "STOP", "stop1189"}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        modes_->addButton(button, static_cast<int>(b.mode));
        top->addWidget(button);
    }
    connect(modes_->button(int(Mode::Load)), &QPushButton::clicked, this, &WeatherMovieDlg::pressLoad);
    connect(modes_->button(int(Mode::Play)), &QPushButton::clicked, this, &WeatherMovieDlg::pressPlay);
    connect(modes_->button(int(Mode::Loop)), &QPushButton::clicked, this, &WeatherMovieDlg::pressLoop);
    connect(modes_->button(int(Mode::Stop)), &QPushButton::clicked, this, &WeatherMovieDlg::pressStop);

    speedBox_ = new QGroupBox(tr("Step Speed"), this);
    speedBox_->setObjectName(QStringLiteral("speedBox1194"));
    speed_ = new QSlider(Qt::Horizontal, speedBox_);
    speed_->setObjectName(QStringLiteral("speed1193"));
    speed_->setRange(MoviePlayer::kMinSpeed, MoviePlayer::kMaxSpeed);
    speed_->setTickPosition(QSlider::TicksBelow);
    speed_->setTickInterval(1);
    speed_->setPageStep(1);
    speed_->setValue(player_.speed());
    speed_->setMinimumWidth(140);
    auto* box = new QHBoxLayout(speedBox_);
    box->addWidget(speed_);
    connect(speed_, &QSlider::valueChanged, this, [this](int value) { player_.changeSpeed(value, clock_()); });
    top->addWidget(speedBox_);

    fit_ = new QCheckBox(tr("Load fit to AVI"), this);
    fit_->setObjectName(QStringLiteral("fit1196"));
    fit_->setChecked(settings_.loadFit);
    connect(fit_, &QCheckBox::toggled, this, [this](bool on) { settings_.loadFit = on; });
    top->addWidget(fit_);
    top->addStretch(1);

    view_ = new MovieView(player_, this);
    connect(view_, &MovieView::userScrolled, this, [this] { timer_->stop(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    selectMode(player_.mode());
}

QAbstractButton& WeatherMovieDlg::modeButton(Mode mode)
{
    return *modes_->button(static_cast<int>(mode));
}

int WeatherMovieDlg::selectedMode() const
{
    return modes_->checkedId();
}

bool WeatherMovieDlg::timerRunning() const
{
    return timer_->isActive();
}

void WeatherMovieDlg::selectMode(Mode mode)
{
    player_.setMode(mode);
    if (mode == Mode::None) {
        // An exclusive group keeps one button down; "none" needs all up.
        modes_->setExclusive(false);
        for (QAbstractButton* button : modes_->buttons())
            button->setChecked(false);
        modes_->setExclusive(true);
    } else {
        modes_->button(static_cast<int>(mode))->setChecked(true);
    }
}

void WeatherMovieDlg::startUp()
{
    if (!movieFile_.isEmpty()) {
        const Mode saved = static_cast<Mode>(settings_.mode);
        if (load(movieFile_) && saved != Mode::Stop)
            play();
        else
            selectMode(saved);
        return;
    }
    chooseAndLoad();
    if (decoder_)
        play();
}

void WeatherMovieDlg::chooseAndLoad()
{
    stopPlaying();
    selectMode(Mode::Load);
    const QString path = chooseFile_ ? chooseFile_() : QString();
    if (path.isEmpty()) {
        if (!decoder_) {
            movieFile_.clear();
            setWindowTitle(QString::fromLatin1(kIdleCaption));
        }
        selectMode(Mode::None);
        return;
    }
    load(path);
}

std::optional<Result<MovieFile>> WeatherMovieDlg::openInBackground(const QString& path)
{
    // Opening reads every packet of the file once: a long movie must not
    // freeze the window meanwhile.
    std::optional<Result<MovieFile>> opened;
    QEventLoop wait;
    loading_ = true;
    std::thread worker([&wait, &opened, path] {
        Result<MovieFile> result = MovieFile::open(path);
        QMetaObject::invokeMethod(
            &wait, [&wait, &opened, r = std::move(result)]() mutable {
                opened.emplace(std::move(r));
                wait.quit();
            },
            Qt::QueuedConnection);
    });
    wait.exec();
    worker.join();
    loading_ = false;
    if (closed_)
        return std::nullopt;
    return opened;
}

bool WeatherMovieDlg::load(const QString& path)
{
    auto opened = openInBackground(path);
    if (!opened)
        return false; // closed while the file was read
    auto& movie = *opened;
    if (!movie.ok()) {
        // The previous movie stays as it was.
        showError_(tr("Der Film kann nicht geöffnet werden:\n%1").arg(movie.error().describe()));
        return false;
    }
    stopPlaying();
    view_->setDecoder(nullptr);
    decoder_.reset();
    decoder_ = std::make_unique<MovieDecoder>(*movie);
    int64_t end = 0;
    for (const auto& stream : movie->videoStreams())
        end = std::max(end, stream.endMs());
    player_.setMovie(0, end, movie->videoStreams().front().width);
    view_->setDecoder(decoder_.get());
    movieFile_ = path;
    if (settings_.loadFit)
        fitToMovie();
    setWindowTitle(QStringLiteral("Weather Movie - Play: %1").arg(QFileInfo(path).fileName()));
    selectMode(Mode::None);
    if (movie->exceededStreams())
        showError_(QStringLiteral("Exceeded maximum number of streams"));
    return true;
}

void WeatherMovieDlg::fitToMovie()
{
    const QSize frame = size() - view_->viewport()->size();
    const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1920, 1080);
    // The controls along the top may need more width than a small movie.
    const QSize wanted = QSize(std::min(view_->widestFrame() + frame.width(), area.width()),
                               std::min(view_->totalHeight() + frame.height(), area.height()))
                             .expandedTo(minimumSizeHint());
    resize(wanted);
    // Centred with the window manager's frame around it.
    const QSize outer = wanted + (frameGeometry().size() - geometry().size());
    move(std::max(area.left(), area.left() + (area.width() - outer.width()) / 2),
         std::max(area.top(), area.top() + (area.height() - outer.height()) / 2));
}

void WeatherMovieDlg::play()
{
    if (!decoder_)
        return;
    player_.play(clock_());
    timer_->start();
    selectMode(player_.mode());
    view_->timeChanged();
}

void WeatherMovieDlg::stopPlaying()
{
    player_.stop();
    timer_->stop();
}

void WeatherMovieDlg::pressLoad()
{
    if (loading_)
        return;
    chooseAndLoad();
    play();
}

void WeatherMovieDlg::pressPlay()
{
    if (loading_)
        return;
    if (player_.loop()) {
        player_.setLoop(false); // the movie plays on to its end
        selectMode(Mode::Play);
        return;
    }
    if (!decoder_)
        chooseAndLoad();
    play();
}

void WeatherMovieDlg::pressLoop()
{
    if (loading_)
        return;
    player_.setLoop(true);
    play();
}

void WeatherMovieDlg::pressStop()
{
    if (loading_)
        return;
    player_.setLoop(false);
    stopPlaying();
    selectMode(Mode::Stop);
}

void WeatherMovieDlg::tick()
{
    switch (player_.tick(clock_())) {
    case MoviePlayer::Tick::Unchanged:
        return;
    case MoviePlayer::Tick::Stopped:
        timer_->stop();
        selectMode(Mode::Stop);
        break;
    case MoviePlayer::Tick::Moved:
    case MoviePlayer::Tick::Restarted:
        break;
    }
    view_->timeChanged();
}

void WeatherMovieDlg::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    view_->layoutRows();
}

void WeatherMovieDlg::saveSettings()
{
    settings_.rect = geometry();
    settings_.speed = player_.speed();
    settings_.loop = player_.loop();
    settings_.mode = selectedMode();
    settings_.loadFit = fit_->isChecked();
    settings_.write(profile_);
    if (profile_.path().isEmpty())
        return;
    if (const Status saved = profile_.save(); !saved.ok())
        showError_(tr("Die Einstellungen können nicht gespeichert werden:\n%1").arg(saved.error().describe()));
}

void WeatherMovieDlg::done(int result)
{
    if (!closed_) {
        closed_ = true;
        saveSettings();
        stopPlaying();
        view_->setDecoder(nullptr);
        decoder_.reset();
    }
    QDialog::done(result);
}

void WeatherMovieDlg::run(const QString& programFolder, IniFile& profile, QString& movieFile, QWidget* parent)
{
    WeatherMovieDlg dialog(programFolder, profile, movieFile, parent);
    QTimer::singleShot(0, &dialog, &WeatherMovieDlg::startUp);
    dialog.exec();
}

} // namespace kesmar
