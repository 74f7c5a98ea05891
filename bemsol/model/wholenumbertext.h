#pragma once

#include <QString>
#include <QStringView>

// How the common-data editor shows the recording interval and the elevation mask: a
// text that reads as a decimal number becomes the nearest whole number (halves away
// from zero) without leading zeros, and zero becomes the empty text ("30.0" → "30",
// "0" → ""); any other text is shown as it is.
QString WholeNumberText(QStringView text);
