#include "sessiontablepainter.h"

#include "diagramfurniture.h"
#include "diagramstyle.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

constexpr double fontMm = 2.4;
constexpr double lineMm = 3.3;
constexpr double headingMm = 5.5;
constexpr double headerMm = 4.6;
constexpr double paddingMm = 1.0;
constexpr double sampleMm = 8;

QString timeText(const DiagramSession& s)
{
    return s.start + QStringLiteral("～") + s.end;
}

// The point numbers as lines that fit `width`, broken between numbers.
QStringList wrapped(const QStringList& points, const QFontMetricsF& metrics, double width)
{
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const QString item = points[i] + (i + 1 < points.size() ? QStringLiteral(",") : QString());
        const QString joined = line.isEmpty() ? item : line + u' ' + item;
        if (!line.isEmpty() && metrics.horizontalAdvance(joined) > width) {
            lines << line;
            line = item;
        } else {
            line = joined;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

struct Columns
{
    std::array<double, 5> x{}; // left edges: line, session, date, time, points
    double right = 0;
    double pointsWidth() const { return right - x[4]; }
};

Columns columns(const QRectF& area, const QFontMetricsF& metrics, double upm, const DiagramLayout& layout)
{
    double session = metrics.horizontalAdvance(QStringLiteral("ｾｯｼｮﾝ"));
    double date = metrics.horizontalAdvance(QStringLiteral("観測日"));
    double time = metrics.horizontalAdvance(QStringLiteral("観測時間"));
    for (const DiagramSession& s : layout.sessions) {
        session = std::max(session, metrics.horizontalAdvance(s.name));
        date = std::max(date, metrics.horizontalAdvance(s.date));
        time = std::max(time, metrics.horizontalAdvance(timeText(s)));
    }
    const double pad = 2 * paddingMm * upm;
    Columns c;
    c.x[0] = area.left();
    c.x[1] = c.x[0] + sampleMm * upm;
    c.x[2] = c.x[1] + session + pad;
    c.x[3] = c.x[2] + date + pad;
    c.x[4] = c.x[3] + time + pad;
    c.right = area.right();
    return c;
}

void cell(QPainter& painter, double left, double right, double top, double height, double upm,
          const QString& text)
{
    painter.drawText(QRectF(left + paddingMm * upm, top, right - left - 2 * paddingMm * upm, height),
                     int(Qt::AlignLeft | Qt::AlignVCenter), text);
}

} // namespace

int PaintSessionTable(QPainter& painter, const QRectF& area, double upm, const DiagramLayout& layout,
                      int first, bool continues)
{
    const int count = int(layout.sessions.size());
    if (first >= count)
        return count;
    if (area.height() < (headingMm + headerMm + 2 * lineMm) * upm)
        return first;
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(DiagramFont(3, upm, painter.device(), true));
    painter.drawText(QRectF(area.left(), area.top(), area.width(), headingMm * upm),
                     int(Qt::AlignLeft | Qt::AlignTop), QStringLiteral("ｾｯｼｮﾝ表"));
    const QFont font = DiagramFont(fontMm, upm, painter.device());
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const Columns c = columns(area, metrics, upm, layout);

    const double top = area.top() + headingMm * upm;
    const double bodyTop = top + headerMm * upm;
    const double lineH = lineMm * upm;
    // Rows and their point lists, as far as they go.
    QList<QStringList> rowLines;
    double needed = 0;
    for (int r = first; r < count; ++r) {
        rowLines << wrapped(layout.sessions[r].points, metrics, c.pointsWidth() - 2 * paddingMm * upm);
        needed += double(rowLines.last().size()) * lineH + paddingMm * upm;
    }
    const double noteH = lineH;
    const double bottom = needed <= area.bottom() - bodyTop ? area.bottom() : area.bottom() - noteH;

    double y = bodyTop;
    int r = first;
    painter.setPen(QPen(Qt::black, 0.15 * upm));
    for (; r < count; ++r) {
        QStringList lines = rowLines[r - first];
        double rowH = double(lines.size()) * lineH + paddingMm * upm;
        if (y + rowH > bottom) {
            if (r > first)
                break;
            // A single session longer than the page is cut off rather than never drawn.
            const int fit = std::max(1, int((bottom - y - paddingMm * upm) / lineH));
            lines = lines.mid(0, fit);
            lines.last() += QStringLiteral(" …");
            rowH = double(lines.size()) * lineH + paddingMm * upm;
        }
        const DiagramSession& s = layout.sessions[r];
        const double mid = y + rowH / 2;
        SetSessionPen(painter, r, upm, 0.45);
        painter.drawLine(QPointF(c.x[0] + upm, mid), QPointF(c.x[1] - upm, mid));
        painter.setPen(QPen(Qt::black, 0.15 * upm));
        const double textTop = y + paddingMm * upm / 2;
        cell(painter, c.x[1], c.x[2], textTop, lineH, upm, s.name);
        cell(painter, c.x[2], c.x[3], textTop, lineH, upm, s.date);
        cell(painter, c.x[3], c.x[4], textTop, lineH, upm, timeText(s));
        for (qsizetype i = 0; i < lines.size(); ++i)
            cell(painter, c.x[4], c.right, textTop + double(i) * lineH, lineH, upm, lines[i]);
        y += rowH;
        painter.drawLine(QPointF(c.x[0], y), QPointF(c.right, y));
    }

    // Header and rules.
    painter.setPen(QPen(Qt::black, 0.25 * upm));
    painter.drawRect(QRectF(QPointF(c.x[0], top), QPointF(c.right, y)));
    painter.drawLine(QPointF(c.x[0], bodyTop), QPointF(c.right, bodyTop));
    painter.setPen(QPen(Qt::black, 0.15 * upm));
    for (int i = 1; i < 5; ++i)
        painter.drawLine(QPointF(c.x[i], top), QPointF(c.x[i], y));
    const QString captions[4] = {QStringLiteral("ｾｯｼｮﾝ"), QStringLiteral("観測日"),
                                 QStringLiteral("観測時間"), QStringLiteral("観測点")};
    for (int i = 0; i < 4; ++i)
        cell(painter, c.x[i + 1], i + 2 < 5 ? c.x[i + 2] : c.right, top, headerMm * upm, upm, captions[i]);

    if (r < count) {
        const QString note = continues ? QStringLiteral("続きは次ページ")
                                       : QStringLiteral("ほか %1 ｾｯｼｮﾝ").arg(count - r);
        painter.drawText(QRectF(c.x[0], y, c.right - c.x[0], noteH), int(Qt::AlignRight | Qt::AlignVCenter),
                         note);
    }
    painter.restore();
    return r;
}
