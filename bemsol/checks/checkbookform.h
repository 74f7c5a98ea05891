#pragma once

#include "checkresult.h"
#include "model/outcome.h"

#include <QString>

class QPagedPaintDevice;

// What the 点検計算簿 says about where its numbers came from.
struct CheckBookHeader
{
    QString source;   // the exchange or project file, as the caption shows it
    QString program;  // the processing software (swProgram)
    QString computed; // date of the computation, as printed
};

// The 点検計算簿 (record of the observation checks) drawn from a check result: the
// settings and a summary, then every loop with its sides, closure, tolerances and verdict,
// the repeated baselines, the baselines left unchecked, the conditions that fail and the
// baselines that could not be used. A4 pages, numbered "n / total".
Outcome RenderCheckBook(const CheckResult& result, const CheckBookHeader& header,
                        QPagedPaintDevice& device, int* pages = nullptr);

// Writes the 点検計算簿 as a PDF file, replacing `pdfPath` only when the whole document
// was written.
Outcome WriteCheckBookPdf(const CheckResult& result, const CheckBookHeader& header,
                          const QString& pdfPath);

QString CheckBookTitle();
