// Pixels at a display's scale. Every size the program draws or places is given for
// 96 pixels per inch (100 %) and scaled with the one rounding below, so that a
// window looks the same at every scale, only larger. No windows here.
#pragma once

namespace fw {

constexpr int kBaseDpi = 96;

// px * dpi / 96 rounded to the nearest pixel, halves away from zero (as MulDiv does).
constexpr int ScaleToDpi(int px, int dpi) {
    const long long n = static_cast<long long>(px) * dpi;
    return static_cast<int>(n >= 0 ? (n + kBaseDpi / 2) / kBaseDpi : -((-n + kBaseDpi / 2) / kBaseDpi));
}

// The small icon drawn for a scale: the largest of the sizes the program's icons are
// drawn at (16, 20, 24, 32) that is not larger than 16 scaled, so icons are never
// stretched; 16 below 96 pixels per inch.
constexpr int SmallIconSizeForDpi(int dpi) {
    const int wanted = ScaleToDpi(16, dpi);
    return wanted >= 32 ? 32 : wanted >= 24 ? 24 : wanted >= 20 ? 20 : 16;
}

// Sizes at one scale: s(px) scales a 96-pixels-per-inch size.
class DpiScale {
public:
    constexpr explicit DpiScale(int dpi = kBaseDpi) : m_dpi(dpi > 0 ? dpi : kBaseDpi) {}
    constexpr int operator()(int px) const { return ScaleToDpi(px, m_dpi); }
    constexpr int Dpi() const { return m_dpi; }

private:
    int m_dpi;
};

}  // namespace fw
