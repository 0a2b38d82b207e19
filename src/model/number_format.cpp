#include "model/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace omvi::model {

std::int64_t roundHalfEven(double x) {
    const double floor = std::floor(x);
    const double diff = x - floor;
    double result = floor;
    if (diff > 0.5) {
        result = floor + 1.0;
    } else if (diff == 0.5) {
        result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    }
    return static_cast<std::int64_t>(result);
}

namespace {

// Digits of |value| as "int.frac", exact far enough that a tie can be told from a near-tie: the
// decimal expansion of a double of the magnitudes shown here ends well within 60 places.
struct Digits {
    std::string whole;  // no leading zeros, "0" for none
    std::string frac;   // 60 places
};

Digits exactDigits(double magnitude) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.60f", magnitude);
    const std::string text(buffer);
    const auto point = text.find('.');
    return Digits{text.substr(0, point), text.substr(point + 1)};
}

// Decimal exponent as the displays count it: the number of integer digits, or minus the number
// of zeros after the point for values below 1 (0.0123 -> -1).
int exponentOf(const Digits& d) {
    if (d.whole != "0") {
        return static_cast<int>(d.whole.size());
    }
    const auto first = d.frac.find_first_not_of('0');
    return first == std::string::npos ? 0 : -static_cast<int>(first);
}

bool isZero(const Digits& d) {
    return d.whole == "0" && d.frac.find_first_not_of('0') == std::string::npos;
}

// Rounds to `decimals` places, a tie away from zero; the result keeps exactly that many places.
Digits roundAway(const Digits& d, int wantedDecimals) {
    const int decimals = std::min(wantedDecimals, 59);
    std::string all = d.whole + d.frac.substr(0, static_cast<std::size_t>(decimals));
    const bool up = d.frac[static_cast<std::size_t>(decimals)] >= '5';
    if (up) {
        int i = static_cast<int>(all.size()) - 1;
        while (i >= 0 && all[static_cast<std::size_t>(i)] == '9') {
            all[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            all.insert(all.begin(), '1');
        } else {
            ++all[static_cast<std::size_t>(i)];
        }
    }
    const std::size_t wholeLength = all.size() - static_cast<std::size_t>(decimals);
    Digits out{all.substr(0, wholeLength), all.substr(wholeLength)};
    const auto nonZero = out.whole.find_first_not_of('0');
    out.whole = nonZero == std::string::npos ? "0" : out.whole.substr(nonZero);
    out.frac.resize(60, '0');
    return out;
}

QString join(bool negative, const Digits& d, int decimals, const QLocale& locale) {
    const std::string shownFrac = d.frac.substr(0, static_cast<std::size_t>(decimals));
    QString text = QString::fromStdString(d.whole);
    if (decimals > 0) {
        text += locale.decimalPoint();
        text += QString::fromStdString(shownFrac);
    }
    // "-0.00" would show a sign on nothing.
    const bool allZero = d.whole == "0" && shownFrac.find_first_not_of('0') == std::string::npos;
    if (negative && !allZero) {
        text.prepend(locale.negativeSign());
    }
    return text;
}

QString scientific(double value, int precision, const QLocale& locale) {
    QString text = QString::number(value, 'g', precision);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

}  // namespace

QString formatFixed(double value, int precision, int digits, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    const bool negative = value < 0;
    const Digits exact = exactDigits(std::fabs(value));
    int decimals = digits;
    if (!isZero(exact)) {
        const int exponent = exponentOf(exact);
        if (exponent > precision) {
            return scientific(value, precision, locale);
        }
        decimals = std::min(digits, precision - exponent);
    }
    Digits rounded = roundAway(exact, std::max(decimals, 0));
    // A carry can add an integer digit (9.996 -> 10.00); the places beyond the precision are
    // zeros then, so the text only needs checking, not rounding again.
    if (static_cast<int>(rounded.whole.size()) > precision && rounded.whole != "0") {
        return scientific(value, precision, locale);
    }
    std::fill(rounded.frac.begin() + std::max(decimals, 0), rounded.frac.end(), '0');
    return join(negative, rounded, digits, locale);
}

QString formatGeneral(double value, int precision, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return QString::number(value);
    }
    const Digits exact = exactDigits(std::fabs(value));
    if (isZero(exact)) {
        return QStringLiteral("0");
    }
    const int exponent = exponentOf(exact);
    if (exponent > precision || exponent < -4) {
        return scientific(value, precision, locale);
    }
    const int decimals = precision - exponent;
    Digits rounded = roundAway(exact, decimals);
    int kept = decimals;
    while (kept > 0 && rounded.frac[static_cast<std::size_t>(kept - 1)] == '0') {
        --kept;
    }
    return join(value < 0, rounded, kept, locale);
}

std::optional<double> parseNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    // "1,234" must not pass as a thousand in a locale that groups with commas.
    QLocale strict = locale;
    strict.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace omvi::model
