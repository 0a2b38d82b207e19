#pragma once
// Number rules of the controller's values and of the texts the fitter sees. Rounding to an
// integer goes to the even neighbour on a tie; text formatting rounds a tie away from zero, as
// the displays always have, so a value and its text can differ on an exact half.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace omvi::model {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
std::int64_t roundHalfEven(double x);

// Low 8 bits of a value placed in a command byte.
inline std::uint8_t low8(std::int64_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}

// Fixed-point text with at most `precision` significant digits and exactly `digits` decimals
// (1.2345 with 2, 2 gives "1.20"; 12.9667 with 4, 2 gives "12.97"). A value with more integer
// digits than `precision` falls back to scientific notation. The decimal point is the locale's;
// there are no group separators.
QString formatFixed(double value, int precision, int digits, const QLocale& locale = QLocale::c());

// Shortest text with at most `precision` significant digits (2.5 gives "2.5", 0.70 gives "0.7").
QString formatGeneral(double value, int precision, const QLocale& locale = QLocale::c());

// A number typed or shown with the locale's decimal separator; surrounding blanks are ignored.
std::optional<double> parseNumber(const QString& text, const QLocale& locale = QLocale::c());

}  // namespace omvi::model
