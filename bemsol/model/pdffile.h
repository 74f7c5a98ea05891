#pragma once

#include "outcome.h"

#include <QString>

#include <functional>

class QPdfWriter;

// Writes a PDF at `pdfPath` through `draw`, which paints its pages on the writer. The
// pages go to a temporary file beside the target that replaces it only when drawing
// succeeded and every byte was written: a failure leaves a file already there as it
// was. The document carries `title` and Bemsol as its creator; a failure of `draw` is
// handed back as it came.
Outcome WritePdfFile(const QString& pdfPath, const QString& title,
                     const std::function<Outcome(QPdfWriter&)>& draw);
