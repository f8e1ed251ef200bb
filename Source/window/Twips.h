#pragma once

#include <QtGlobal>
#include <algorithm>

namespace Vorlaine {

// The window is designed in twips; one logical pixel is 15 twips (96 dots per
// inch). Qt itself scales logical pixels on high-DPI screens.
inline constexpr int TwipsPerPixel = 15;

inline int TwipsToPixels(double twips) {
    return qRound(twips / TwipsPerPixel);
}

// A width or height for a widget: never below zero, which Qt would reject.
inline int TwipsToExtent(double twips) {
    return std::max(0, TwipsToPixels(twips));
}

inline float PixelsToTwips(int pixels) {
    return static_cast<float>(pixels * TwipsPerPixel);
}

} // namespace Vorlaine
