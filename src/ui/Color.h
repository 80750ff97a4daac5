#pragma once

namespace wexo::ui {

// A colour in device RGB with alpha, each component 0…1. The named colours
// are the screens' palette; a front end converts them to its own colour type.
struct Color {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    static constexpr Color grey(double white, double alpha = 1) {
        return Color{white, white, white, alpha};
    }

    static constexpr Color clear() { return Color{0, 0, 0, 0}; }
    static constexpr Color white() { return grey(1); }
    static constexpr Color black() { return grey(0); }

    // The palette of the preference screens.
    static constexpr Color dirtyWhite() { return grey(0.87); }
    static constexpr Color smurfBlue() { return Color{0.1, 0.46, 0.67, 1}; }
    static constexpr Color disabledGray() { return grey(0.33); }
    static constexpr Color borderPix() { return grey(0.15); }
    static constexpr Color backgroundGray() { return grey(0.2); }
    static constexpr Color warningRed() { return Color{1.0, 46.0 / 255.0, 35.0 / 255.0, 1}; }
    static constexpr Color veryLightBorder() { return grey(1, 0.42); }
    static constexpr Color veryLightBlack() { return grey(0.2, 0.04); }

    friend constexpr bool operator==(const Color&, const Color&) = default;
};

}  // namespace wexo::ui
