#pragma once
#include "weather/MovieFile.h"
#include "weather/MoviePlayer.h"
#include "weather/MovieSettings.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QSlider;
class QTimer;

namespace kesmar {

class IniFile;
class MovieDecoder;
class MovieView;

// "Weather Movie - Play Varnak Weather AVI": loads a weather movie through
// the file dialog "Open AVI" and plays its video streams as film strips at
// speed 1-8, once or in a loop, by the wall clock. Window rectangle, speed,
// loop, mode and "Load fit to AVI" live in section AVI of KMR.INI; the file
// name lives for the program's run (held by the caller).
class WeatherMovieDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 50;
    static constexpr const char* kIdleCaption = "Weather Movie - Play Varnak Weather AVI";

    using Clock = std::function<qint64()>;          // milliseconds, monotonic
    using FileChooser = std::function<QString()>;  // empty: cancelled
    using ErrorSink = std::function<void(const QString&)>;

    WeatherMovieDlg(QString programFolder, IniFile& profile, QString& movieFile, QWidget* parent = nullptr);
    ~WeatherMovieDlg() override;

    // Runs the dialog modally.
    static void run(const QString& programFolder, IniFile& profile, QString& movieFile, QWidget* parent);

    void setClock(Clock clock) { clock_ = std::move(clock); }
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void setErrorSink(ErrorSink sink) { showError_ = std::move(sink); }

    // The opening: reload the run's file or ask for one, then play.
    void startUp();
    void pressLoad();
    void pressPlay();
    void pressLoop();
    void pressStop();
    // One timer tick (the timer calls it; tests may too).
    void tick();

    MoviePlayer& player() { return player_; }
    MovieView& view() { return *view_; }
    MovieDecoder* decoder() { return decoder_.get(); }
    QSlider& speedSlider() { return *speed_; }
    QCheckBox& fitBox() { return *fit_; }
    QAbstractButton& modeButton(MoviePlayer::Mode mode);
    int selectedMode() const;
    bool timerRunning() const;

protected:
    void done(int result) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void chooseAndLoad();
    bool load(const QString& path);
    std::optional<Result<MovieFile>> openInBackground(const QString& path);
    void fitToMovie();
    void play();
    void stopPlaying();
    void selectMode(MoviePlayer::Mode mode);
    void saveSettings();

    QString folder_;
    IniFile& profile_;
    QString& movieFile_;
    MovieSettings settings_;
    MoviePlayer player_;
    std::unique_ptr<MovieDecoder> decoder_;
    MovieView* view_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    QGroupBox* speedBox_ = nullptr;
    QSlider* speed_ = nullptr;
    QCheckBox* fit_ = nullptr;
    QTimer* timer_ = nullptr;
    Clock clock_;
    FileChooser chooseFile_;
    ErrorSink showError_;
    bool closed_ = false;
    bool loading_ = false;
};

} // namespace kesmar
