#pragma once
#include <cstdint>

// One RGBA texel.
struct Color {
  uint8_t r, g, b, a;
  bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
  bool operator!=(const Color& o) const { return !(*this == o); }
};

constexpr Color Rgb(uint32_t hex) {
  return Color{uint8_t(hex >> 16), uint8_t(hex >> 8), uint8_t(hex), 255};
}

// Three shades of one material; the light comes from the top left.
struct Ramp {
  Color dark, mid, light;
};

// The game's palette: every texel of every texture is one of these colours.
namespace Pal {
constexpr Color Clear{0, 0, 0, 0};
constexpr Color Outline = Rgb(0x1a1420);

constexpr Color Grey0 = Rgb(0x3b3646);
constexpr Color Grey1 = Rgb(0x5d5a6b);
constexpr Color Grey2 = Rgb(0x8d8a9c);
constexpr Color Grey3 = Rgb(0xc3c1cf);
constexpr Color White = Rgb(0xf2f0f5);

constexpr Color Skin0 = Rgb(0x7a3f2e);
constexpr Color Skin1 = Rgb(0xc27a55);
constexpr Color Skin2 = Rgb(0xefb98e);

constexpr Color Wood0 = Rgb(0x3f2a1e);
constexpr Color Wood1 = Rgb(0x6e4a2c);
constexpr Color Wood2 = Rgb(0xa5733f);

constexpr Color Green0 = Rgb(0x1f3a2a);
constexpr Color Green1 = Rgb(0x2f6b3a);
constexpr Color Green2 = Rgb(0x5aa04a);
constexpr Color Green3 = Rgb(0xa4d46a);

constexpr Color Blue0 = Rgb(0x1f2b5a);
constexpr Color Blue1 = Rgb(0x3553a8);
constexpr Color Blue2 = Rgb(0x5f9be0);
constexpr Color Blue3 = Rgb(0xa8dcf5);

constexpr Color Red0 = Rgb(0x5a1a24);
constexpr Color Red1 = Rgb(0xa82d2d);
constexpr Color Red2 = Rgb(0xe05a3a);

constexpr Color Orange = Rgb(0xf09a2e);
constexpr Color Yellow = Rgb(0xf5d34a);
constexpr Color Cream = Rgb(0xfff4b0);

constexpr Color Purple0 = Rgb(0x3d2357);
constexpr Color Purple1 = Rgb(0x6a3d8f);
constexpr Color Purple2 = Rgb(0xa070c8);

constexpr Color Stone0 = Rgb(0x4a4038);
constexpr Color Stone1 = Rgb(0x7a6a58);
constexpr Color Stone2 = Rgb(0xa89880);

constexpr Ramp Steel{Grey1, Grey2, Grey3};
constexpr Ramp Iron{Grey0, Grey1, Grey2};
constexpr Ramp Bone{Grey2, Grey3, White};
constexpr Ramp Skin{Skin0, Skin1, Skin2};
constexpr Ramp Wood{Wood0, Wood1, Wood2};
constexpr Ramp Leaf{Green0, Green1, Green2};
constexpr Ramp Grass{Green1, Green2, Green3};
constexpr Ramp Cloth{Blue0, Blue1, Blue2};
constexpr Ramp Sky{Blue1, Blue2, Blue3};
constexpr Ramp Blood{Red0, Red1, Red2};
constexpr Ramp Fire{Red2, Orange, Yellow};
constexpr Ramp Gold{Wood2, Orange, Yellow};
constexpr Ramp Robe{Purple0, Purple1, Purple2};
constexpr Ramp Sand{Stone0, Stone1, Stone2};
constexpr Ramp Slate{Grey0, Grey1, Grey2};
}  // namespace Pal
