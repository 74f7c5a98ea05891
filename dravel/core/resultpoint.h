#pragma once

#include <QString>

// One control point of the results report, as the numeric data file carries it. Every
// field is text: the writer copies them, it never converts them to numbers.
struct ResultPoint
{
    QString PointNumber; // zero-filled to five characters
    QString PointName;
    QString Latitude; // packed sexagesimal DDD.MMSSssss
    QString Longitude;
    QString X; // metres, the report's own text
    QString Y;
    QString ResultValue; // the third metre value of the point's results table
    QString ListValue; // the point's value in the coordinate list, three decimals

    bool operator==(const ResultPoint&) const = default;
};
