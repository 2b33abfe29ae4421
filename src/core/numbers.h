#pragma once

#include <QString>

// Locale-independent number handling shared by every record, list and box.
// Records written on one clinic PC must read the same on any other, so
// nothing here consults the system locale.
namespace num {

// The leading number of a text: blanks skipped, an optional sign, digits
// with at most one ".", up to the first other character. 0 when there is
// none. Never infinity or NaN.
double leadingNumber(const QString &text);

// Rounds half away from zero to `decimals` places, working on the value's
// shortest decimal text (at most 15 significant digits), so 2.25 gives
// "2.3" for one place. Never prints "-0.0".
QString formatFixed(double value, int decimals);

// The "0.0" format of records and boxes.
inline QString format0_0(double value)
{
    return formatFixed(value, 1);
}

// "0.0" applied to a text: a text that is wholly a number is written with
// one decimal; any other text (empty, "3.0L", "S") stays as it is.
QString format0_0Text(const QString &text);

// True when the whole text, less surrounding blanks, is one number.
bool isNumericText(const QString &text);

// Shortest decimal text with at most 15 significant digits and no trailing
// zeros: 45 gives "45", 9.5 gives "9.5".
QString shortestText(double value);

// Counts, list positions, pixels: round half to even (2.5 gives 2).
int roundHalfEven(double value);

// The job counter's "0000" format: at least four digits, more kept.
QString formatCounter(int value);

// A number box as typed, taken into the record: a "," between two digits
// is a decimal comma and becomes ".".
QString numberBoxText(const QString &typed);

} // namespace num
