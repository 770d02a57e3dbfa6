#pragma once
#include "S57Object.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kesmar::chartbuild {

class ChartBuilder;

// Reads the point objects of an S-57-class GeoJSON export (one
// FeatureCollection per class, as the BSH services deliver them). The class
// is the feature's "layer" property, else the file name's stem ("BOYLAT.json");
// the usage band is "uband"; every other property is an attribute. An object
// published in several cells (same "lnam") is kept once, from the cell of
// the smallest usage band, which shows it at the coarsest zoom. Features that
// are not points are skipped. nullopt with `error` set when the text is not
// a GeoJSON FeatureCollection.
std::optional<std::vector<S57Object>> readS57GeoJson(const QByteArray& json, const QString& fileName,
                                                     QString* error);

// Reads each file, maps all objects together (lights meet their buoys across
// files) and adds the records whose level is at most `maxLevel` to the chart.
bool addS57GeoJsonFiles(const QStringList& files, int maxLevel, ChartBuilder& chart, QString* error,
                        int* pointCount = nullptr);

} // namespace kesmar::chartbuild
