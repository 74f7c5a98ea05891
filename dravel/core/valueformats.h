#pragma once

#include <QString>

#include <optional>

// The reformattings the reader applies to report values; everything else is copied as
// text.

// "35°39′29.12345″" → "35.39291234": degrees, ".", two minute digits, two second digits
// and at most four digits of decimal seconds, cut, not rounded. Nothing when the text is
// not degrees, minutes and seconds.
std::optional<QString> ToPackedDms(QStringView angle);

// A decimal number with exactly three decimals, halves rounded away from zero
// ("12.3456" → "12.346", "0.5" → "0.500"). The rounding is done on the decimal digits
// themselves, so no binary fraction can tip a half the wrong way. Nothing when the text is
// not a plain decimal number.
std::optional<QString> formatThreeDecimals(QStringView number);

// The point number zero-filled on the left to five characters ("7" → "00007"); nothing
// when it is longer than that.
std::optional<QString> zeroFilledPointNumber(QStringView number);
