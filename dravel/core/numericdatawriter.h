#pragma once

#include "outcome.h"
#include "numericdataoptions.h"
#include "resultpoint.h"

#include <QByteArray>
#include <QList>

// The survey results numeric data file: the records Z00, Z01, Z02, A00, one A01 per point
// and A99, every field followed by ",", code page 932, CR LF after every record.
class NumericDataWriter
{
public:
    // Refuses a work content or zone that would shift or break the records (a comma, CR or
    // LF) or that code page 932 cannot hold; the message names the box of the window.
    static dravel::Outcome checkOptions(const NumericDataOptions& options);

    // The bytes of the whole file, or (bytes left empty) why they cannot be made.
    static dravel::Outcome encode(const QList<ResultPoint>& points, const NumericDataOptions& options,
                          QByteArray& bytes);

    // Writes the file atomically: an existing file is replaced only once every byte of the
    // new one is on disk, and is left as it was when anything fails.
    static dravel::Outcome write(const QString& path, const QList<ResultPoint>& points,
                         const NumericDataOptions& options);
};
