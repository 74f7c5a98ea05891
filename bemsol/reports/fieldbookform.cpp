#include "fieldbookform.h"

#include "formpainter.h"
#include "formrendering.h"
#include "reportdatabase.h"
#include "reportreader.h"

namespace {

// Columns of the page, mm from the left of the printable area.
constexpr double labelX = 12;
constexpr double labelW = 38;
constexpr double valueX = 54;
constexpr double rowH = 5.5;
constexpr double titleH = 13;
constexpr double headingH = 9;

// A satellite: its name right-aligned, the frequency label, the bar from a fixed column.
constexpr double satNameW = 16;
constexpr double bandX = 17;
constexpr double bandW = 10;
constexpr double barX = 28;
constexpr double barLineH = 4.0;
constexpr double satelliteH = 2 * barLineH + 0.8;

// Station summary: right-aligned labels, the fixed-pitch texts from one column.
constexpr double summaryLabelW = 28;
constexpr double summaryX = 30;
constexpr double summaryLineH = 4.2;
constexpr double footerH = headingH + 8 * summaryLineH;

void drawStationHeader(FormPainter& page, const ReportReader& row)
{
    const QFont label = FormPainter::labelFont();
    page.text(0, page.width(), titleH, QStringLiteral("GPS測量観測手簿"), Qt::AlignCenter,
              FormPainter::titleFont());
    page.y += titleH + 2;
    const struct
    {
        const char16_t* label;
        const char* column;
    } lines[] = {
        {u"観測点", "SptCode"},
        {u"受信機名", "SreceiverName"},
        {u"受信機番号", "SreceiverSN"},
        {u"ｱﾝﾃﾅﾀｲﾌﾟ", "SantennaName"},
        {u"ｱﾝﾃﾅ番号", "SantennaSN"},
        {u"ﾃﾞｰﾀ取得間隔", "interval"},
        {u"最低高度角", "tblBaseLine.minElevation"},
        {u"最小衛星数", "tblBaseLine.minSVs"},
        {u"ｱﾝﾃﾅ高", "SantennaHeight"},
        {u"ｾｯｼｮﾝ名", "session"},
        {u"開始", "SstartTime"},
        {u"終了", "SendTime"},
    };
    for (const auto& line : lines) {
        page.text(labelX, labelW, rowH, QString::fromUtf16(line.label),
                  Qt::AlignLeft | Qt::AlignVCenter, label);
        page.text(valueX, page.width() - valueX, rowH, row.text(QString::fromLatin1(line.column)),
                  Qt::AlignLeft | Qt::AlignVCenter, label);
        page.y += rowH;
    }
    page.y += 2;
    page.text(0, page.width(), headingH, QStringLiteral("電波の受信状況"), Qt::AlignCenter, label);
    page.y += headingH;
}

void drawSatellite(FormPainter& page, const ReportReader::Satellite& sat)
{
    const QFont fixed = FormPainter::fixedFont();
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    page.text(0, satNameW, barLineH, sat.satname, right, fixed);
    page.text(bandX, bandW, barLineH, QStringLiteral(" L1:  "), left, fixed);
    page.text(barX, page.width() - barX, barLineH, sat.l1, left, fixed);
    page.y += barLineH;
    page.text(0, satNameW, barLineH, sat.satname, right, fixed);
    page.text(bandX, bandW, barLineH, QStringLiteral(" L2: "), left, fixed);
    page.text(barX, page.width() - barX, barLineH, sat.l2, left, fixed);
    page.y += barLineH + (satelliteH - 2 * barLineH);
}

void drawStationFooter(FormPainter& page, const ReportReader& row)
{
    const QFont label = FormPainter::labelFont();
    const QFont fixed = FormPainter::fixedFont();
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    page.text(0, page.width(), headingH, QStringLiteral("衛星の状態"), Qt::AlignCenter, label);
    page.y += headingH;
    const double textW = page.width() - summaryX;
    for (int group = 1; group <= 3; ++group) {
        if (group > 1)
            page.y += summaryLineH; // a blank line between the groups
        if (group == 1)
            page.text(0, summaryLabelW, summaryLineH, QStringLiteral("衛星数"), right, label);
        page.text(summaryX, textW, summaryLineH, row.text(QStringLiteral("SSatStatNo%1").arg(group)),
                  left, fixed);
        page.y += summaryLineH;
        if (group == 1)
            page.text(0, summaryLabelW, summaryLineH, QStringLiteral("ｽﾃｰﾀｽ"), right, label);
        page.text(summaryX, textW, summaryLineH, row.text(QStringLiteral("SSatStatOK%1").arg(group)),
                  left, fixed);
        page.y += summaryLineH;
    }
}

} // namespace

Outcome RenderFieldBook(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                        const ProgressCallback& progress)
{
    return RenderForm(database, device, pages, progress, [&](FormPainter& page, ReportReader& rows) {
        page.startPage();
        drawStationHeader(page, rows);
        // Both lines of a satellite stay on one page; a long list goes on to the next.
        const Result<QList<ReportReader::Satellite>> satellites =
            rows.satellitesOf(rows.value(QStringLiteral("tblBaseLine.BaseLineID")));
        if (!satellites)
            return ReportDatabaseFailure(QStringLiteral("帳票データベースを読めません"),
                                         database.filePath(), satellites.message());
        for (const ReportReader::Satellite& sat : *satellites) {
            if (!page.fits(satelliteH))
                page.startPage();
            drawSatellite(page, sat);
        }
        page.y += 2;
        if (!page.fits(footerH))
            page.startPage();
        drawStationFooter(page, rows);
        return Outcome::success();
    });
}
