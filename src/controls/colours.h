// Colours as the panel keeps them: 0x00BBGGRR values, or a desktop system colour
// (high bit set, low byte the system colour index) that the view maps onto its palette.
#pragma once

#include <cstdint>

namespace qd {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

namespace colour {
constexpr Colour kBlack = 0;
constexpr Colour kRed = 255;
constexpr Colour kGreen = 65280;
constexpr Colour kYellow = 65535;
constexpr Colour kWhite = 16777215;
constexpr Colour kLightGrey = Rgb(192, 192, 192);
constexpr Colour kPaleGrey = Rgb(224, 224, 224);
constexpr Colour kLightYellow = Rgb(255, 255, 192);
constexpr Colour kPaleYellow = Rgb(255, 255, 128);

constexpr Colour kSystemFlag = 0x80000000u;
constexpr Colour System(int index) {
  return kSystemFlag | static_cast<Colour>(index);
}
constexpr Colour kWindowBackground = System(5);
constexpr Colour kWindowText = System(8);
constexpr Colour kButtonFace = System(15);
constexpr Colour kGreyText = System(17);
constexpr Colour kButtonText = System(18);
}  // namespace colour

constexpr bool IsSystemColour(Colour c) {
  return (c & colour::kSystemFlag) != 0;
}
constexpr int SystemColourIndex(Colour c) {
  return static_cast<int>(c & 0xFF);
}

}  // namespace qd
