#include "numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace num {
namespace {

// A finite value as sign, significant digits (no trailing zeros) and the
// decimal exponent of the first digit: 2.25 -> ("225", 0), 0.05 -> ("5", -2).
struct Decimal
{
    bool negative = false;
    QByteArray digits; // empty for zero
    int exponent = 0;
};

Decimal toDecimal(double value)
{
    Decimal d;
    if (!std::isfinite(value) || value == 0.0)
        return d;
    d.negative = value < 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: "d.dddddddddddddde+XX"
    QByteArray text(buf);
    const int e = text.indexOf('e');
    QByteArray mantissa = text.left(e);
    mantissa.remove(1, 1); // the decimal point
    d.exponent = text.mid(e + 1).toInt();
    while (mantissa.size() > 1 && mantissa.endsWith('0'))
        mantissa.chop(1);
    d.digits = mantissa;
    return d;
}

} // namespace

double leadingNumber(const QString &text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    QByteArray digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            digits.append(char(c.unicode()));
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            digits.append('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    double value = std::strtod(digits.constData(), nullptr);
    if (!std::isfinite(value))
        value = std::numeric_limits<double>::max();
    return negative ? -value : value;
}

QString formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        value = 0.0;
    const Decimal d = toDecimal(value);

    // Digits of the integer part and `decimals` fraction digits, then one
    // more to decide the rounding.
    const int intDigits = d.exponent + 1; // may be <= 0
    const int keep = intDigits + decimals; // digits kept from d.digits
    QByteArray kept;
    bool roundUp = false;
    if (keep >= 0) {
        for (int k = 0; k < keep; ++k)
            kept.append(k < d.digits.size() ? d.digits[k] : '0');
        roundUp = keep < d.digits.size() && d.digits[keep] >= '5';
    }
    // kept holds the value scaled by 10^decimals as a digit string.
    if (roundUp) {
        int k = kept.size() - 1;
        while (k >= 0 && kept[k] == '9') {
            kept[k] = '0';
            --k;
        }
        if (k >= 0)
            kept[k] = char(kept[k] + 1);
        else
            kept.prepend('1');
    }
    // Pad so there is at least one integer digit.
    while (kept.size() < decimals + 1)
        kept.prepend('0');
    QByteArray out = kept.left(kept.size() - decimals);
    // Drop leading zeros of the integer part.
    while (out.size() > 1 && out.startsWith('0'))
        out.remove(0, 1);
    if (decimals > 0)
        out += '.' + kept.right(decimals);

    bool allZero = true;
    for (char c : out)
        if (c >= '1' && c <= '9')
            allZero = false;
    if (d.negative && !allZero)
        out.prepend('-');
    return QString::fromLatin1(out);
}

bool isNumericText(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    int i = 0;
    if (t[0] == u'-' || t[0] == u'+')
        ++i;
    bool seenDigit = false;
    bool seenPoint = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            seenDigit = true;
        else if (c == u'.' && !seenPoint)
            seenPoint = true;
        else
            return false;
    }
    return seenDigit;
}

QString format0_0Text(const QString &text)
{
    return isNumericText(text) ? format0_0(leadingNumber(text.trimmed())) : text;
}

QString shortestText(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    const Decimal d = toDecimal(value);
    if (d.digits.isEmpty())
        return QStringLiteral("0");
    QByteArray out;
    const int intDigits = d.exponent + 1;
    if (intDigits <= 0) {
        out = "0." + QByteArray(-intDigits, '0') + d.digits;
    } else if (intDigits >= d.digits.size()) {
        out = d.digits + QByteArray(intDigits - d.digits.size(), '0');
    } else {
        out = d.digits.left(intDigits) + '.' + d.digits.mid(intDigits);
    }
    if (d.negative)
        out.prepend('-');
    return QString::fromLatin1(out);
}

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value); // default mode rounds half to even
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(r);
}

QString formatCounter(int value)
{
    const qint64 v = value;
    const QString digits = QString::number(v < 0 ? -v : v).rightJustified(4, u'0');
    return v < 0 ? QStringLiteral("-") + digits : digits;
}

QString numberBoxText(const QString &typed)
{
    QString out = typed;
    for (int i = 1; i + 1 < out.size(); ++i) {
        if (out[i] == u',' && out[i - 1].isDigit() && out[i + 1].isDigit())
            out[i] = u'.';
    }
    return out;
}

} // namespace num
