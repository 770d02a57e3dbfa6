#pragma once
#include "chartdata/ChartConfig.h"
#include "chartdata/ChartHeader.h"
#include "chartdata/SymbolLibrary.h"
#include "settings/CDetailSheet.h"
#include "settings/DetailSettings.h"
#include "support/QtTestApplication.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kesmar::test {

// A program folder with chart headers, and a symbol library in which the
// lighthouse (type 40) is a 400-unit square filled with the point's colour.
struct SheetFixture {
    QTemporaryDir dir;
    QString folder = dir.path();
    ChartConfig config;
    ChartCatalogue catalogue;
    QStringList messages;

    SheetFixture() { QDir(folder).mkpath(QStringLiteral("CHARTDATA")); }

    // A header file spanning the box in thousandths of a minute.
    void header(const QString& file, int32_t yMin, int32_t xMin, int32_t yMax, int32_t xMax) const
    {
        ChartHeader h;
        h.yMin = yMin;
        h.xMin = xMin;
        h.yMax = yMax;
        h.xMax = xMax;
        (void)h.writeFile(folder + QStringLiteral("/CHARTDATA/") + file);
    }

    static std::shared_ptr<const SymbolLibrary> library()
    {
        SymbolLibrary::Entries entries;
        entries[40] = {{0x0714, {{-200, -200}, {200, -200}, {200, 200}, {-200, 200}}}};
        return std::make_shared<const SymbolLibrary>(SymbolLibrary::fromBytes(SymbolLibrary::toBytes(entries).value()));
    }

    std::unique_ptr<CDetailSheet> open(CDetailSheet::Page page)
    {
        qtTestApplication();
        auto sheet = std::make_unique<CDetailSheet>(DetailSettings::from(config, catalogue), folder, library(), page);
        sheet->setMessageSink([this](const QString& m) { messages.append(m); });
        sheet->show();
        QCoreApplication::processEvents();
        return sheet;
    }
};

template <class T>
T* control(QWidget& parent, int id)
{
    return parent.findChild<T*>(QString::number(id));
}

} // namespace kesmar::test
