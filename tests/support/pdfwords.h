#pragma once

// The words of a PDF page where a reader sees them, from `pdftotext -bbox`, gathered into
// lines: a form's value can then be checked beside its label or under its heading,
// wherever the page puts the two.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace pdfwords {

struct Word
{
    QString text;
    QRectF box; // points, from the top left corner of the page
};

struct Line
{
    QList<Word> words; // left to right

    QStringList texts() const
    {
        QStringList t;
        for (const Word& w : words)
            t << w.text;
        return t;
    }
};

// The words of page `page` (1-based); empty when pdftotext fails.
inline QList<Word> pageWords(const QString& pdf, int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                                          QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QList<Word> words;
    QXmlStreamReader r(p.readAllStandardOutput());
    while (!r.atEnd()) {
        if (r.readNext() != QXmlStreamReader::StartElement || r.name() != u"word")
            continue;
        const auto a = r.attributes();
        const double x0 = a.value(QStringLiteral("xMin")).toDouble();
        const double y0 = a.value(QStringLiteral("yMin")).toDouble();
        const double x1 = a.value(QStringLiteral("xMax")).toDouble();
        const double y1 = a.value(QStringLiteral("yMax")).toDouble();
        words.append({r.readElementText(), QRectF(QPointF(x0, y0), QPointF(x1, y1))});
    }
    return words;
}

// Words whose vertical centres lie within `tolerance` points of each other form a line;
// lines from top to bottom.
inline QList<Line> linesOf(QList<Word> words, double tolerance = 3)
{
    std::sort(words.begin(), words.end(),
              [](const Word& a, const Word& b) { return a.box.center().y() < b.box.center().y(); });
    QList<Line> lines;
    double top = 0;
    for (const Word& w : words) {
        if (lines.isEmpty() || w.box.center().y() - top > tolerance) {
            lines.append(Line{});
            top = w.box.center().y();
        }
        lines.last().words.append(w);
    }
    for (Line& line : lines)
        std::sort(line.words.begin(), line.words.end(),
                  [](const Word& a, const Word& b) { return a.box.left() < b.box.left(); });
    return lines;
}

// A label as pdftotext splits it: at blanks and ideographic spaces.
inline QStringList wordsOf(const QString& text)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\x{3000}]+"));
    return text.split(blanks, Qt::SkipEmptyParts);
}

} // namespace pdfwords
