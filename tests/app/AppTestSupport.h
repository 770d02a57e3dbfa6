#pragma once
#include "app/CKesmarApp.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// A program folder in a temporary directory and an application object on it
// whose failure boxes are recorded instead of shown.
struct TestProgram {
    QTemporaryDir dir;
    QStringList errors;

    QString folder() const { return dir.path(); }
    QString slotPath() const { return dir.filePath("run/nmea.sock"); }

    void writeIni(const QByteArray& text) const
    {
        QFile f(dir.filePath("KMR.INI"));
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }

    std::unique_ptr<kesmar::CKesmarApp> makeApp(const QString& slot = QString())
    {
        kesmar::CKesmarApp::Options options;
        options.programFolder = folder();
        options.slotPath = slot.isEmpty() ? slotPath() : slot;
        options.errorBox = [this](QWidget*, const QString& text) { errors << text; };
        return std::make_unique<kesmar::CKesmarApp>(options);
    }
};
