#pragma once
#include <QString>
#include <string_view>

namespace kesmar {

// Chart files carry their texts in DOS code page 850.
QString fromCp850(std::string_view bytes);
// Characters outside code page 850 become '?'.
std::string toCp850(const QString& text);

} // namespace kesmar
