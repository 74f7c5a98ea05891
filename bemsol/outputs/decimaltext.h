#pragma once

#include <QStringView>

#include <optional>

// A plain decimal number as a person types it: optional blanks, an optional sign,
// digits with an optional decimal point, an optional exponent. Nothing else (no
// thousands separators, no "inf" or "nan", no hexadecimal), and the value must be finite.
std::optional<double> ReadDecimalText(QStringView text);
