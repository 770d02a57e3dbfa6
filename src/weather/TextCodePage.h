#pragma once
#include <QChar>
#include <QString>
#include <string_view>

namespace kesmar {

// The two 8-bit code pages received bulletins come in: Windows-1252 (RTF's
// \ansi, \ansicpg1252) and DOS 850 (\pc, \pca, \ansicpg850; the receiving
// terminal's own text).
enum class TextCodePage { Windows1252, Dos850 };

QChar charFromCodePage(unsigned char byte, TextCodePage page);
QString fromCodePage(std::string_view bytes, TextCodePage page);

} // namespace kesmar
