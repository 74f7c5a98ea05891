#pragma once

#include <QString>
#include <QByteArrayView>

class ExchangeReader;

// Date-time text of a GPS week and seconds of the week, in GPS time (no leap seconds,
// no time zone). Empty when either value cannot be read as a number, or the date falls
// outside the years 1 to 9999.
QString GpsWeekSecondsText(QByteArrayView week, QByteArrayView seconds);

// Consumes the two lines of a time element at the cursor (week, then seconds; their
// tags are not looked at) and returns their date-time text.
QString GpsTimeText(ExchangeReader& reader);
