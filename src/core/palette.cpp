#include "core/palette.h"

#include <array>

#include "core/game.h"

namespace zentrix {

namespace {

constexpr std::array<TColor, 19> kChannelPalette = {{
    {170, 255, 170}, {255, 255, 170}, {170, 255, 255}, {255, 170, 170}, {170, 170, 255},
    {255, 213, 170}, {213, 170, 255}, {212, 212, 212}, {170, 213, 255}, {255, 170, 213},
    {213, 255, 213}, {255, 255, 213}, {213, 255, 255}, {255, 213, 213}, {213, 213, 255},
    {255, 234, 213}, {234, 213, 255}, {233, 233, 233}, {213, 234, 255},
}};

}  // namespace

TColor ChannelColor(int n, int width) {
    if (n < 1 || n > kMaxNumber || width < 1) return {255, 0, 0};
    int channel = CeilDiv(n, width);
    if (channel > 19) channel -= 19;
    return kChannelPalette[channel - 1];
}

}  // namespace zentrix
