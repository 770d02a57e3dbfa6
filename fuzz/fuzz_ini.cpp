// KMR.INI parser: any bytes parse, write back unchanged, and a written key
// reads back without disturbing the rest.
#include "core/IniFile.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    kesmar::IniFile ini = kesmar::IniFile::fromBytes(bytes);
    if (ini.toBytes() != bytes)
        std::abort();
    (void)ini.readInt(u"MAP", u"mile", 1);
    ini.setValue(u"Settings", u"WindowPos", QStringLiteral("0,1,-1,-1,-1,-1,10,20,30,40"));
    const kesmar::IniFile again = kesmar::IniFile::fromBytes(ini.toBytes());
    if (again.readString(u"settings", u"windowpos", QString()) != QStringLiteral("0,1,-1,-1,-1,-1,10,20,30,40"))
        std::abort();
    return 0;
}
