#pragma once

#include "model/outcome.h"
#include "model/projectmodel.h"

#include <QByteArrayView>
#include <QString>

// The line state that the exchange-file readers share: the file and one cursor over its
// lines. Lines are cut at LF with one trailing CR removed, so CR LF files read line for
// line as the processing software wrote them and LF-only files read as well.
//
// Lines stay UTF-8 bytes; only the values that are kept get decoded (`text`). That is
// the same as decoding the whole file first: LF, CR, "<", ">" and blanks are single
// bytes that never belong to a multi-byte sequence, and a sequence cut short by one of
// them is replaced in either case.
class ExchangeReader
{
public:
    ExchangeReader(QByteArrayView bytes, ProjectModel& model);

    ProjectModel& model() { return model_; }

    bool atEnd() const { return exhausted_; }
    // The line at the cursor; advances the cursor. Empty once the lines run out.
    QByteArrayView nextLine();
    // Index of the next line to read.
    int cursor() const { return cursor_; }

    // A list reader that meets input it must refuse records why; the import stops.
    void fail(const QString& message);
    bool failed() const { return !failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

private:
    QByteArrayView bytes_;
    ProjectModel& model_;
    qsizetype pos_ = 0;
    int cursor_ = 0;
    bool exhausted_ = false;
    QString failure_;
};

// A value or line as text, invalid bytes replaced by "?".
QString TextOf(QByteArrayView utf8);
