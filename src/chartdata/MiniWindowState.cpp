#include "chartdata/MiniWindowState.h"

#include "core/ByteReader.h"
#include "core/ByteWriter.h"

#include <array>

namespace kesmar {

static_assert(MiniWindowState::kSize == 3 * 8 + 5 * 4);

MiniWindowState MiniWindowState::defaults(int index)
{
    static const std::array<MiniWindowState, 4> kDefaults = {{
        {0.56635, -606.16924, 3220.73519, 0, 2, 71, 161, 168},
        {2.87105, -419.66127, 3218.31122, 0, 161, 71, 320, 168},
        {0.34746, -300.46757, 3182.10035, 0, 320, 71, 479, 168},
        {0.0627637, -303.15565119573, 3175.9032401126, 0, 479, 71, 638, 168},
    }};
    if (index < 0 || index >= int(kDefaults.size()))
        return {};
    return kDefaults[size_t(index)];
}

bool MiniWindowState::read(ByteReader& in)
{
    if (in.remaining() < kSize) {
        in.skip(kSize);
        return false;
    }
    in.f64(scale);
    in.f64(xOffset);
    in.f64(yOffset);
    in.i32(shown);
    in.i32(left);
    in.i32(top);
    in.i32(right);
    in.i32(bottom);
    return true;
}

void MiniWindowState::write(ByteWriter& out) const
{
    out.f64(scale);
    out.f64(xOffset);
    out.f64(yOffset);
    out.i32(shown);
    out.i32(left);
    out.i32(top);
    out.i32(right);
    out.i32(bottom);
}

} // namespace kesmar
