#include "weather/WeatherTree.h"

#include <QCoreApplication>

#include <array>

namespace kesmar {
namespace {

enum class ChildText { DateTitle, TimeList, Navtex };

struct RootRow {
    const char* text;
    uint32_t data;
    uint32_t mask; // 0: every entry
    int image;     // -1: by kind, as in the time list
    ChildText childText;
};

// String ids 35, 36, 12, 13, 14, 15, 16, 17, 19.
constexpr std::array<RootRow, 9> kRoots = {{
    {QT_TRANSLATE_NOOP("WeatherList", "FAX: Alle FAX-Bilder"), 0x0000, WeatherKind::Fax,
     WeatherTree::Fax, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "SYNOP: Alle Synop Meldungen"), 0x0800, WeatherKind::Synop,
     WeatherTree::Synop, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "TIME: Alle Files - zeitlich aufgelisten"), 0x1000, 0, -1,
     ChildText::TimeList},
    {QT_TRANSLATE_NOOP("WeatherList", "NORDSEE: Berichte für die Nordsee "), 0x2000, WeatherKind::NorthSea,
     WeatherTree::Bulletin, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "OSTSEE: Breichte für die Ostsee"), 0x3000, WeatherKind::Baltic,
     WeatherTree::Bulletin, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "EOROPA: Berichte für Europa Küsten (Teil-1) nordwestlich"), 0x4000,
     WeatherKind::Europe1, WeatherTree::Bulletin, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "EOROPA: Berichte für Europa Küsten (Teil-2) südlich"), 0x5000,
     WeatherKind::Europe2, WeatherTree::Bulletin, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "MITTELMEER: Berichte für das Mittelmeer"), 0x6000,
     WeatherKind::Mediterranean, WeatherTree::Bulletin, ChildText::DateTitle},
    {QT_TRANSLATE_NOOP("WeatherList", "NAVTEX: Dieverse Berichte "), 0x7000, WeatherKind::Navtex,
     WeatherTree::Navtex, ChildText::Navtex},
}};

int timeListImage(uint32_t kind)
{
    if (kind & WeatherKind::Fax)
        return WeatherTree::Fax;
    if (kind & WeatherKind::Navtex)
        return WeatherTree::Navtex;
    if (kind & WeatherKind::Synop)
        return WeatherTree::Synop;
    return WeatherTree::Bulletin;
}

QString timeListWord(uint32_t kind)
{
    if (kind & WeatherKind::Fax)
        return QStringLiteral("   FAX");
    if (kind & WeatherKind::Navtex)
        return QStringLiteral("NAVTEX");
    if (kind & WeatherKind::Synop)
        return QStringLiteral(" SYNOPTIC");
    return QStringLiteral("WARNING");
}

QString childText(const WeatherFileEntry& entry, ChildText form)
{
    const QString date = entry.dateText();
    switch (form) {
    case ChildText::Navtex:
        return date + QStringLiteral(" NAVTEX");
    case ChildText::TimeList:
        if (entry.title.isEmpty())
            return date + QLatin1Char(' ') + timeListWord(entry.kind);
        break;
    case ChildText::DateTitle:
        break;
    }
    return date + QLatin1Char(' ') + entry.title;
}

} // namespace

std::vector<WeatherTree::Root> WeatherTree::build(const std::vector<WeatherFileEntry>& entries)
{
    std::vector<Root> roots;
    roots.reserve(kRoots.size());
    for (const RootRow& row : kRoots) {
        Root root;
        root.item.text = QCoreApplication::translate("WeatherList", row.text);
        root.item.image = Folder;
        root.item.data = row.data;
        for (size_t i = 0; i < entries.size(); ++i) {
            const WeatherFileEntry& entry = entries[i];
            if (row.mask != 0 && (entry.kind & row.mask) == 0)
                continue;
            Item child;
            child.text = childText(entry, row.childText);
            child.image = row.image >= 0 ? row.image : timeListImage(entry.kind);
            child.data = row.data + static_cast<uint32_t>(i) + 1;
            root.children.push_back(std::move(child));
        }
        roots.push_back(std::move(root));
    }
    return roots;
}

} // namespace kesmar
