#include "recordform.h"

#include "formpainter.h"
#include "formrendering.h"
#include "reportdatabase.h"
#include "reportreader.h"

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment centre = Qt::AlignCenter;
constexpr double rowH = 6;
constexpr double blockGap = 5;

QString T(const char16_t* text)
{
    return QString::fromUtf16(text);
}

// First block: labels at the margin, the separator before a common value column.
void drawSettings(FormPainter& page, const ReportReader& row)
{
    const QFont f = FormPainter::labelFont();
    constexpr double labelX = 4;
    constexpr double sepX = 40;
    constexpr double sepW = 22;
    constexpr double valueX = 62;
    const auto line = [&](const QString& label, const QString& separator, const QString& value) {
        page.text(labelX, sepX - labelX, rowH, label, left, f);
        page.text(sepX, sepW, rowH, separator, right, f);
        page.text(valueX, page.width() - valueX, rowH, value, left, f);
        page.y += rowH;
    };
    const QString sep = QStringLiteral(": ");
    line(T(u"解析ｿﾌﾄｳｪｱ"), sep, row.text(QStringLiteral("swProgram")));
    line(T(u"使用した軌道情報"), sep, row.text(QStringLiteral("ephType")));
    line(T(u"使用した楕円体"), sep, row.text(QStringLiteral("daen")));
    line(T(u"使用した周波数"), sep, row.text(QStringLiteral("tblBaseLine.frequency")));
    line(T(u"基線解析ﾓｰﾄﾞ"), sep, row.text(QStringLiteral("tblBaseLine.ppMode")));
    line(T(u"ｾｯｼｮﾝ名"), sep, row.text(QStringLiteral("session")));
    line(T(u"基線解析ﾃﾞｰﾀ"), T(u"開始 : "), row.text(QStringLiteral("startTime")));
    line(QString(), T(u"終了 : "), row.text(QStringLiteral("endTime")));
    line(T(u"最低高度角"), sep, row.text(QStringLiteral("tblBaseLine.minElevation")));
    // Air pressure, temperature and humidity share one line.
    page.text(labelX, sepX - labelX, rowH, T(u"気圧"), left, f);
    page.text(sepX, sepW, rowH, sep, right, f);
    page.text(valueX, 22, rowH, row.text(QStringLiteral("kiatu")), left, f);
    page.text(84, 20, rowH, T(u"温度 :"), right, f);
    page.text(106, 20, rowH, row.text(QStringLiteral("ondo")), left, f);
    page.text(126, 20, rowH, T(u"湿度 :"), right, f);
    page.text(148, 20, rowH, row.text(QStringLiteral("situdo")), left, f);
    page.y += rowH;
}

// Second block: start point at the left, end point at the right.
void drawPoints(FormPainter& page, const ReportReader& row)
{
    const QFont f = FormPainter::labelFont();
    constexpr double labelW = 27;
    constexpr double sepW = 4;
    const double half = page.width() / 2;
    const double valueW = half - labelW - sepW - 6;
    struct Line
    {
        const char16_t* label;
        const char16_t* separator;
        const char* start;
        const char* end;
        bool rightAligned;
    };
    const Line lines[] = {
        {u"観測点1(Code)", u":", "SptCode", "EptCode", false},
        {u"受信機名(No)", u":", "SreceiverName", "EreceiverName", true},
        {u"ｱﾝﾃﾅ高", u"=", "SantennaHeight", "EantennaHeight", true},
        {u"起　点", u"", "SptType", nullptr, true},
        {u"緯　度", u"=", "SposN", "EposN", true},
        {u"経　度", u"=", "SposE", "EposE", true},
        {u"楕円体高", u"=", "SposH", "EposH", true},
        {u"座標値 X", u"=", "SposX", "EposX", true},
        {u"座標値 Y", u"=", "SposY", "EposY", true},
        {u"座標値 Z", u"=", "SposZ", "EposZ", true},
    };
    for (const Line& line : lines) {
        for (int side = 0; side < 2; ++side) {
            const double x = side == 0 ? 0 : half + 2;
            QString label = T(line.label);
            if (side == 1) {
                if (label == u"観測点1(Code)")
                    label = QStringLiteral("観測点2(Code)");
                else if (label == u"起　点")
                    label = QStringLiteral("終　点");
            }
            page.text(x, labelW, rowH, label, left, f);
            page.text(x + labelW, sepW, rowH, T(line.separator), centre, f);
            const char* column = side == 0 ? line.start : line.end;
            if (column)
                page.text(x + labelW + sepW + 1, valueW, rowH, row.text(QString::fromLatin1(column)),
                          line.rightAligned ? right : left, f);
        }
        page.y += rowH;
    }
}

// Third block: the solution, with two narrow point columns at the left.
void drawSolution(FormPainter& page, const ReportReader& row)
{
    const QFont f = FormPainter::labelFont();
    constexpr double pointW = 14;
    constexpr double valuesX = 2 * pointW + 2;
    const double valueW = (page.width() - valuesX) / 4;
    const auto points = [&](const QString& a, const QString& b) {
        page.text(0, pointW, rowH, a, centre, f);
        page.text(pointW, pointW, rowH, b, centre, f);
    };
    const auto values = [&](const QStringList& texts) {
        for (int i = 0; i < texts.size(); ++i)
            page.text(valuesX + i * valueW, valueW - 2, rowH, texts[i], right, f);
        page.y += rowH;
    };
    const auto columns = [&](std::initializer_list<const char*> names) {
        QStringList texts;
        for (const char* n : names)
            texts << row.text(QString::fromLatin1(n));
        return texts;
    };

    page.text(0, page.width(), rowH, T(u"解析結果"), left, f);
    page.y += rowH;
    page.text(0, 40, rowH, T(u"解の種類 :"), right, f);
    page.text(42, 40, rowH, row.text(QStringLiteral("solutionType")), left, f);
    page.text(84, 40, rowH, T(u"バイアス決定比 :"), right, f);
    page.text(126, 40, rowH, row.text(QStringLiteral("ratio")), left, f);
    page.y += rowH + 1;

    const double top = page.y;
    points(T(u"観測点"), T(u"観測点"));
    values({QStringLiteral("DX"), QStringLiteral("DY"), QStringLiteral("DZ"), T(u"斜距離")});
    page.hline(0, page.width(), page.y);
    points(QStringLiteral("1"), QStringLiteral("2"));
    values(columns({"dx", "dy", "dz", "slope"}));
    page.text(0, 2 * pointW, rowH, T(u"標準偏差"), centre, f);
    values(columns({"stDX", "stDY", "stDZ", "stSlope"}));
    page.hline(0, page.width(), page.y);
    points(T(u"観測点"), T(u"観測点"));
    values({T(u"方位角"), T(u"高度角"), T(u"測地線長"), T(u"楕円体比高")});
    page.hline(0, page.width(), page.y);
    points(QStringLiteral("1"), QStringLiteral("2"));
    values(columns({"fwdAzimuth", "fwdInclination", "geoDist", "heightDiff"}));
    points(QStringLiteral("2"), QStringLiteral("1"));
    values(columns({"bkwdAzimuth", "bkwdInclination"}));
    page.hline(0, page.width(), top);
    page.hline(0, page.width(), page.y);
}

// Fourth block: the lower triangle of the variance-covariance matrix.
void drawCovariance(FormPainter& page, const ReportReader& row)
{
    const QFont f = FormPainter::labelFont();
    constexpr double headW = 16;
    constexpr double valueW = 48;
    page.text(0, page.width(), rowH, T(u"分散 共分散行列"), left, f);
    page.y += rowH;
    const QStringList axes = {QStringLiteral("DX"), QStringLiteral("DY"), QStringLiteral("DZ")};
    for (int c = 0; c < 3; ++c)
        page.text(headW + c * valueW, valueW - 2, rowH, axes[c], right, f);
    page.y += rowH;
    const char* cells[3][3] = {{"CovXX", nullptr, nullptr},
                               {"CovYX", "CovYY", nullptr},
                               {"CovZX", "CovZY", "CovZZ"}};
    for (int r = 0; r < 3; ++r) {
        page.text(0, headW, rowH, axes[r], left, f);
        for (int c = 0; c <= r; ++c)
            page.text(headW + c * valueW, valueW - 2, rowH,
                      row.text(QString::fromLatin1(cells[r][c])), right, f);
        page.y += rowH;
    }
}

// Fifth block: observation statistics.
void drawStatistics(FormPainter& page, const ReportReader& row)
{
    const QFont f = FormPainter::labelFont();
    page.text(0, 36, rowH, T(u"使用したﾃﾞｰﾀ数　"), left, f);
    page.text(36, 3, rowH, QStringLiteral(":"), left, f);
    page.text(39, 20, rowH, row.text(QStringLiteral("usedObs")), right, f);
    page.text(62, 34, rowH, T(u"棄却したﾃﾞｰﾀ数 :"), left, f);
    page.text(96, 20, rowH, row.text(QStringLiteral("rejectedObs")), right, f);
    page.text(120, 18, rowH, T(u"棄却率 :"), left, f);
    page.text(136, page.width() - 136, rowH, row.text(QStringLiteral("rejectRatio")), right, f);
    page.y += rowH;
    page.text(0, 36, rowH, T(u"使用したﾃﾞｰﾀ間隔"), left, f);
    page.text(36, 3, rowH, QStringLiteral(":"), left, f);
    page.text(39, 20, rowH, row.text(QStringLiteral("interval")), right, f);
    page.y += rowH;
    page.text(0, 36, rowH, QStringLiteral("RMS"), left, f);
    page.text(36, 3, rowH, QStringLiteral("="), left, f);
    page.text(39, 20, rowH, row.text(QStringLiteral("rms")), right, f);
    page.text(62, 34, rowH, QStringLiteral("RDOP ="), left, f);
    page.text(96, 20, rowH, row.text(QStringLiteral("rdop")), right, f);
    page.y += rowH;
}

} // namespace

Outcome RenderRecord(ReportDatabase& database, QPagedPaintDevice& device, int* pages,
                     const ProgressCallback& progress)
{
    return RenderForm(database, device, pages, progress, [](FormPainter& page, ReportReader& rows) {
        // A baseline is one page: the blocks together are shorter than the page.
        page.startPage();
        page.text(0, page.width(), 13, QStringLiteral("GPS測量観測記簿"), centre,
                  FormPainter::titleFont());
        page.y += 16;
        drawSettings(page, rows);
        page.y += blockGap;
        drawPoints(page, rows);
        page.y += blockGap;
        drawSolution(page, rows);
        page.y += blockGap;
        drawCovariance(page, rows);
        page.y += blockGap;
        drawStatistics(page, rows);
        return Outcome::success();
    });
}
