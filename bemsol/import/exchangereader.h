#pragma once

#include "project/outcome.h"
#include "project/projectmodel.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The line state that the exchange-file readers share: the decoded file and one cursor
// over its lines. Lines are cut at LF with one trailing CR removed, so CR LF files read
// line for line as the processing software wrote them and LF-only files read as well.
class ExchangeReader
{
public:
    ExchangeReader(QString text, ProjectModel& model);

    ProjectModel& model() { return model_; }

    bool atEnd() const { return exhausted_; }
    // The line at the cursor; advances the cursor. Empty once the lines run out.
    QStringView nextLine();
    // Index of the next line to read.
    int cursor() const { return cursor_; }

    // A list reader that meets input it must refuse records why; the import stops.
    void fail(const QString& message);
    bool failed() const { return !failure_.isEmpty(); }
    const QString& failure() const { return failure_; }

private:
    QString text_;
    ProjectModel& model_;
    qsizetype pos_ = 0;
    int cursor_ = 0;
    bool exhausted_ = false;
    QString failure_;
};

// Reads lines until one whose tag is `closingTag` has been consumed or the lines run out.
void SkipToClosingTag(ExchangeReader& reader, QStringView closingTag);
