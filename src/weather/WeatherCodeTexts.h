#pragma once
#include <QString>

namespace kesmar {

// German texts of the WMO code tables a decoded report refers to. Every
// function returns an empty string for a figure outside its table.
class WeatherCodeTexts {
public:
    static QString presentWeather(int ww);         // 4677
    static QString lowCloud(char cl);              // 0513
    static QString middleCloud(char cm);           // 0515
    static QString highCloud(char ch);             // 0509
    static QString tendency(int a);                // 0200
    static QString visibility(int vv);             // 4377, with unit
    static QString cloudBase(char h);              // 1600, with unit
    static QString cloudCover(char n);             // 2700
    static QString cloudGenus(int c);              // 0500
    static QString layerHeight(int hs);            // 1677, with unit
    static QString precipitation(int rrr);         // 3590, with unit
    static QString precipitationPeriod(int tr);    // 4019
    static QString groundState(int e);             // 0901
    static QString snowGroundState(int e);         // 0975
    static QString snowDepth(int sss);             // 3889, with unit
    static QString shipDirection(int ds);          // 0700
    static QString shipSpeed(int vs);              // 4451, knots
};

} // namespace kesmar
