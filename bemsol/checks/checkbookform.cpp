#include "checkbookform.h"

#include "checktexts.h"
#include "reports/formpainter.h"
#include "model/pdffile.h"

#include <QHash>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment centre = Qt::AlignCenter;

constexpr double titleH = 12;
constexpr double rowH = 5;
constexpr double headingH = 8;
constexpr double gap = 3;
constexpr double footerH = 8; // the page number below the last row

QFont tableFont()
{
    QFont f = FormPainter::headerFont();
    f.setPointSizeF(9);
    return f;
}

QFont strong(QFont f)
{
    f.setBold(true);
    return f;
}

// Where the book is drawn. The book is laid out twice: once only counting pages, so
// that every page can say "n / total", then on the printer's pages; both passes take
// the same decisions because they run the same code.
class Sheet
{
public:
    Sheet(double width, double height, double top)
        : y(top), width_(width), height_(height), top_(top)
    {
    }
    virtual ~Sheet() = default;

    double y = 0;
    double width() const { return width_; }
    int page() const { return page_; }

    void nextPage()
    {
        ++page_;
        startPage();
        y = top_;
    }
    double pageNumberY() const { return height_ - footerH + 2; }

    virtual void text(double x, double w, const QString& text, Qt::Alignment align,
                      const QFont& font, double h = rowH) = 0;
    virtual void hline(double x1, double x2, double atY, double widthMm = 0.2) = 0;

protected:
    virtual void startPage() = 0;

private:
    double width_;
    double height_;
    double top_;
    int page_ = 1; // the first page is started before the book is drawn
};

class CountingSheet : public Sheet
{
public:
    using Sheet::Sheet;
    void text(double, double, const QString&, Qt::Alignment, const QFont&, double) override {}
    void hline(double, double, double, double) override {}

protected:
    void startPage() override {}
};

class PaintingSheet : public Sheet
{
public:
    PaintingSheet(FormPainter& page, double top)
        : Sheet(page.width(), page.height(), top), page_(page)
    {
    }
    void text(double x, double w, const QString& text, Qt::Alignment align, const QFont& font,
              double h) override
    {
        page_.y = y;
        page_.text(x, w, h, text, align, font);
    }
    void hline(double x1, double x2, double atY, double widthMm) override
    {
        page_.hline(x1, x2, atY, widthMm);
    }

protected:
    void startPage() override { page_.startPage(); }

private:
    FormPainter& page_;
};

// Columns of the tables as parts of the page width, so the book fills any paper.
struct Columns
{
    explicit Columns(double width) : w(width) {}
    double at(double part) const { return part * w; }
    double span(double from, double to) const { return (to - from) * w; }
    double w;
};

class CheckBook
{
public:
    CheckBook(const CheckResult& result, const CheckBookHeader& header, Sheet& sheet, int totalPages)
        : r_(result), header_(header), s_(sheet), c_(sheet.width()), totalPages_(totalPages)
    {
        for (const ConditionCheck& condition : r_.conditions)
            conditionOf_.insert(condition.baseline, &condition);
    }

    void draw()
    {
        drawPageTop();
        drawTitle();
        drawSettings();
        drawSummary();
        drawLoops();
        drawRepeats();
        drawUnchecked();
        drawConditions();
        drawUnusable();
        drawPageNumber();
    }

private:
    void drawPageTop()
    {
        // The running title beside the page header, for pages that come apart.
        const double keep = s_.y;
        s_.y = 0;
        s_.text(0, s_.width() * 0.7, CheckBookTitle() + QStringLiteral("  ") + header_.source, left,
                FormPainter::headerFont(), 6);
        s_.y = keep;
    }

    void drawPageNumber()
    {
        const double keep = s_.y;
        s_.y = s_.pageNumberY();
        s_.text(0, s_.width(), QStringLiteral("%1 / %2").arg(s_.page()).arg(std::max(totalPages_, s_.page())),
                centre, FormPainter::headerFont());
        s_.y = keep;
    }

    bool fits(double h) const { return s_.y + h <= s_.pageNumberY() - 2 + 1e-6; }

    void newPage()
    {
        drawPageNumber();
        s_.nextPage();
        drawPageTop();
    }

    // Room for `h` more millimetres above the page number, else a new page.
    void need(double h)
    {
        if (!fits(h))
            newPage();
    }

    void drawTitle()
    {
        s_.text(0, s_.width(), CheckBookTitle(), centre, FormPainter::titleFont(), titleH);
        s_.y += titleH + gap;
    }

    // Label and value pairs in two halves of the page.
    void pair(double x, double w, const QString& label, const QString& value)
    {
        const QFont f = FormPainter::labelFont();
        s_.text(x, 30, label, left, f);
        s_.text(x + 30, 4, QStringLiteral(":"), left, f);
        s_.text(x + 34, w - 34, value, left, f);
    }

    void drawSettings()
    {
        const double half = s_.width() / 2;
        pair(0, half, QStringLiteral("観測ﾃﾞｰﾀ"), header_.source);
        pair(half, half, QStringLiteral("解析ｿﾌﾄｳｪｱ"), header_.program);
        s_.y += rowH + 1;
        pair(0, half, QStringLiteral("測量の級"), SurveyClassText(r_.settings.surveyClass));
        pair(half, half, QStringLiteral("観測方法"), ObservationMethodText(r_.settings.method));
        s_.y += rowH + 1;
        pair(0, s_.width(), QStringLiteral("環閉合差の許容範囲"), LoopToleranceText(r_.settings));
        s_.y += rowH + 1;
        pair(0, s_.width(), QStringLiteral("重複基線の許容範囲"), RepeatToleranceText(r_.settings));
        s_.y += rowH + 1;
        pair(0, half, QStringLiteral("計算日"), header_.computed);
        s_.y += rowH + gap;
    }

    void heading(const QString& text)
    {
        need(headingH + 3 * rowH);
        s_.y += 2;
        s_.text(0, s_.width(), text, left, strong(FormPainter::labelFont()), headingH - 2);
        s_.y += headingH - 2;
        s_.hline(0, s_.width(), s_.y, 0.4);
        s_.y += 1;
    }

    void summaryLine(const QString& label, const QString& count, const QString& failed,
                     bool bad = false)
    {
        const QFont f = FormPainter::labelFont();
        s_.text(c_.at(0.03), c_.span(0.03, 0.34), label, left, f);
        s_.text(c_.at(0.34), c_.span(0.34, 0.46), count, right, f);
        s_.text(c_.at(0.50), c_.span(0.50, 1.0), failed, left, bad ? strong(f) : f);
        s_.y += rowH + 0.5;
    }

    void drawSummary()
    {
        heading(QStringLiteral("総括"));
        summaryLine(QStringLiteral("基線数"), QString::number(r_.baselineCount),
                    QStringLiteral("点検に使用 %1,  出力しない %2,  使用できない %3")
                        .arg(r_.usableCount)
                        .arg(r_.switchedOffCount)
                        .arg(r_.unusable.size()),
                    !r_.unusable.isEmpty());
        const auto failed = [](int n) { return QStringLiteral("不合格 %1").arg(n); };
        summaryLine(QStringLiteral("環閉合差"), QStringLiteral("%1 環").arg(r_.loops.size()),
                    failed(r_.failedLoops()), r_.failedLoops() > 0);
        summaryLine(QStringLiteral("重複基線ﾍﾞｸﾄﾙの較差"), QStringLiteral("%1 組").arg(r_.repeats.size()),
                    failed(r_.failedRepeats()), r_.failedRepeats() > 0);
        summaryLine(QStringLiteral("点検されていない基線"),
                    QStringLiteral("%1 基線").arg(r_.unchecked.size()), QString(),
                    !r_.unchecked.isEmpty());
        summaryLine(QStringLiteral("観測条件"), QStringLiteral("%1 基線").arg(r_.conditions.size()),
                    QStringLiteral("不適合 %1").arg(r_.failedConditions()),
                    r_.failedConditions() > 0);
        s_.y += 1;
        const QFont big = strong(FormPainter::labelFont());
        s_.text(c_.at(0.03), c_.span(0.03, 0.34), QStringLiteral("判定"), left, big);
        s_.text(c_.at(0.34), c_.span(0.34, 0.46), VerdictText(r_.pass()), right, big);
        s_.y += rowH + gap;
    }

    // The numeric columns of the loop and repeat blocks: ΔX/ΔN, ΔY/ΔE, ΔZ/ΔU.
    double valueX(int i) const { return c_.at(0.58 + 0.14 * i); }
    double valueW() const { return c_.span(0, 0.13); }

    void values(const QStringList& texts, const QList<bool>& bad = {})
    {
        const QFont f = tableFont();
        for (int i = 0; i < texts.size(); ++i)
            s_.text(valueX(i), valueW(), texts[i], right, i < bad.size() && bad[i] ? strong(f) : f);
    }

    static QStringList vectorTexts(const Vector3& v)
    {
        return {VectorText(v.x), VectorText(v.y), VectorText(v.z)};
    }

    void closureRows(const VectorCheck& v, const QString& label)
    {
        const QFont f = tableFont();
        const double labelX = c_.at(0.30);
        const double labelW = c_.span(0.30, 0.56);
        s_.text(labelX, labelW, label + QStringLiteral("  ΔX ΔY ΔZ"), right, f);
        values({MetresText(v.dX), MetresText(v.dY), MetresText(v.dZ)});
        s_.y += rowH;
        s_.text(labelX, labelW, QStringLiteral("ΔN ΔE ΔU"), right, f);
        const auto over = [](const std::optional<double>& d, double limit) {
            return !d || std::fabs(*d) > limit;
        };
        if (v.dN)
            values({MetresText(v.dN), MetresText(v.dE), MetresText(v.dU)},
                   {over(v.dN, v.limitNE), over(v.dE, v.limitNE), over(v.dU, v.limitU)});
        else
            s_.text(valueX(0), c_.span(0.58, 1.0), QStringLiteral("緯度・経度が読めません"), left, f);
        s_.y += rowH;
        s_.text(labelX, labelW, QStringLiteral("許容範囲"), right, f);
        values({MetresText(v.limitNE), MetresText(v.limitNE), MetresText(v.limitU)});
        s_.y += rowH;
    }

    void blockTitle(const QString& title, const QString& detail, bool pass)
    {
        const QFont f = FormPainter::labelFont();
        s_.text(0, c_.span(0, 0.16), title, left, strong(f));
        s_.text(c_.at(0.16), c_.span(0.16, 0.86), detail, left, f);
        s_.text(c_.at(0.86), c_.span(0.86, 1.0), VerdictText(pass), right, pass ? f : strong(f));
        s_.y += rowH + 0.5;
    }

    void loopHeader()
    {
        const QFont f = tableFont();
        s_.text(c_.at(0.02), c_.span(0, 0.05), QStringLiteral("順"), centre, f);
        s_.text(c_.at(0.07), c_.span(0, 0.06), QStringLiteral("基線"), right, f);
        s_.text(c_.at(0.15), c_.span(0, 0.15), QStringLiteral("始点"), left, f);
        s_.text(c_.at(0.30), c_.span(0, 0.15), QStringLiteral("終点"), left, f);
        s_.text(c_.at(0.45), c_.span(0, 0.11), QStringLiteral("ｾｯｼｮﾝ"), left, f);
        values({QStringLiteral("ΔX"), QStringLiteral("ΔY"), QStringLiteral("ΔZ")});
        s_.y += rowH;
        s_.hline(c_.at(0.02), s_.width(), s_.y, 0.15);
    }

    void drawLoop(int number, const LoopCheck& loop)
    {
        const double height = (loop.sideCount() + 5) * rowH + 2 * gap;
        need(height);
        blockTitle(QStringLiteral("環 %1").arg(number),
                   QStringLiteral("辺数 N = %1    %2").arg(loop.sideCount()).arg(LoopPointsText(loop)),
                   loop.closure.pass);
        loopHeader();
        const QFont f = tableFont();
        int order = 0;
        for (const LoopSide& side : loop.sides) {
            s_.text(c_.at(0.02), c_.span(0, 0.05), QString::number(++order), centre, f);
            s_.text(c_.at(0.07), c_.span(0, 0.06), QString::number(side.signedBaseline()), right, f);
            s_.text(c_.at(0.15), c_.span(0, 0.14), side.from, left, f);
            s_.text(c_.at(0.30), c_.span(0, 0.14), side.to, left, f);
            s_.text(c_.at(0.45), c_.span(0, 0.11), side.session, left, f);
            values(vectorTexts(side.vector));
            s_.y += rowH;
        }
        s_.hline(c_.at(0.30), s_.width(), s_.y, 0.15);
        closureRows(loop.closure, QStringLiteral("閉合差"));
        s_.y += gap;
    }

    void drawLoops()
    {
        heading(QStringLiteral("1. 環閉合差"));
        if (r_.loops.isEmpty()) {
            note(QStringLiteral("セッションの異なる基線で作る環はありません。"));
            return;
        }
        for (int i = 0; i < r_.loops.size(); ++i)
            drawLoop(i + 1, r_.loops[i]);
    }

    void drawRepeat(int number, const RepeatCheck& r)
    {
        need(7 * rowH + 2 * gap);
        blockTitle(QStringLiteral("重複 %1").arg(number),
                   QStringLiteral("%1 - %2%3")
                       .arg(r.startPoint, r.endPoint,
                            r.reversed ? QStringLiteral("    (基線 %1 は逆向きに観測)").arg(r.other)
                                       : QString()),
                   r.difference.pass);
        loopHeader();
        const QFont f = tableFont();
        const auto line = [&](int order, int baseline, const QString& session, const Vector3& v) {
            s_.text(c_.at(0.02), c_.span(0, 0.05), QString::number(order), centre, f);
            s_.text(c_.at(0.07), c_.span(0, 0.06), QString::number(baseline), right, f);
            s_.text(c_.at(0.15), c_.span(0, 0.14), r.startPoint, left, f);
            s_.text(c_.at(0.30), c_.span(0, 0.14), r.endPoint, left, f);
            s_.text(c_.at(0.45), c_.span(0, 0.11), session, left, f);
            values(vectorTexts(v));
            s_.y += rowH;
        };
        line(1, r.first, r.firstSession, r.firstVector);
        line(2, r.reversed ? -r.other : r.other, r.otherSession, r.otherVector);
        s_.hline(c_.at(0.30), s_.width(), s_.y, 0.15);
        closureRows(r.difference, QStringLiteral("較差"));
        s_.y += gap;
    }

    void drawRepeats()
    {
        heading(QStringLiteral("2. 重複基線ﾍﾞｸﾄﾙの較差"));
        if (r_.repeats.isEmpty()) {
            note(QStringLiteral("重複する基線はありません。"));
            return;
        }
        for (int i = 0; i < r_.repeats.size(); ++i)
            drawRepeat(i + 1, r_.repeats[i]);
    }

    void note(const QString& text)
    {
        need(rowH + gap);
        s_.text(c_.at(0.03), c_.span(0.03, 1.0), text, left, FormPainter::labelFont());
        s_.y += rowH + gap;
    }

    // A table whose header row comes again on every page it runs over.
    void table(int rows, const std::function<void()>& header, const std::function<void(int)>& row)
    {
        need(2 * rowH + 1);
        header();
        for (int i = 0; i < rows; ++i) {
            if (!fits(rowH)) {
                newPage();
                header();
            }
            row(i);
            s_.y += rowH;
        }
        s_.y += gap;
    }

    void baselineColumns(const QString& baseline, const QString& start, const QString& end,
                         const QString& session, const QFont& f)
    {
        s_.text(0, c_.span(0, 0.06), baseline, right, f);
        s_.text(c_.at(0.08), c_.span(0, 0.14), start, left, f);
        s_.text(c_.at(0.23), c_.span(0, 0.14), end, left, f);
        s_.text(c_.at(0.38), c_.span(0, 0.08), session, left, f);
    }

    void drawUnchecked()
    {
        heading(QStringLiteral("3. 点検されていない基線"));
        if (r_.unchecked.isEmpty()) {
            note(QStringLiteral("すべての基線が環閉合差または重複基線で点検されています。"));
            return;
        }
        const QFont f = tableFont();
        table(
            int(r_.unchecked.size()),
            [&] {
                baselineColumns(QStringLiteral("基線"), QStringLiteral("始点"), QStringLiteral("終点"),
                                QStringLiteral("ｾｯｼｮﾝ"), f);
                s_.y += rowH;
                s_.hline(0, s_.width(), s_.y, 0.15);
            },
            [&](int i) {
                const int b = r_.unchecked[i];
                const ConditionCheck* c = conditionOf_.value(b);
                baselineColumns(QString::number(b), c ? c->startPoint : QString(),
                                c ? c->endPoint : QString(), c ? c->session : QString(), f);
                s_.text(c_.at(0.48), c_.span(0.48, 1.0),
                        QStringLiteral("セッションの異なる%1辺以内の環がなく、重複もありません")
                            .arg(r_.settings.maxLoopSides),
                        left, f);
            });
    }

    QString conditionLimits() const
    {
        const CheckSettings& s = r_.settings;
        if (s.method == ObservationMethod::ShortStatic)
            return QStringLiteral("観測時間 %1分以上, ﾃﾞｰﾀ取得間隔 %2秒以下, 衛星数 %3以上")
                .arg(s.shortStaticMinutes)
                .arg(s.shortStaticMaxInterval)
                .arg(s.shortStaticSatellites);
        QString text = QStringLiteral("観測時間 %1分以上, ﾃﾞｰﾀ取得間隔 %2秒以下, 衛星数 %3以上")
                           .arg(s.staticMinutes)
                           .arg(s.staticMaxInterval)
                           .arg(s.staticSatellites);
        if (s.surveyClass == SurveyClass::First)
            text += QStringLiteral(" (%1km以上の基線は %2分以上, 衛星数 %3以上)")
                        .arg(s.longBaseline / 1000)
                        .arg(s.staticLongMinutes)
                        .arg(s.staticLongSatellites);
        return text;
    }

    void drawConditions()
    {
        heading(QStringLiteral("4. 観測条件 (%1)").arg(ClassAndMethodText(r_.settings)));
        need(2 * rowH);
        s_.text(c_.at(0.03), c_.span(0.03, 1.0), conditionLimits(), left, tableFont());
        s_.y += rowH + 1;
        QList<const ConditionCheck*> failing;
        for (const ConditionCheck& c : r_.conditions)
            if (!c.pass())
                failing.append(&c);
        if (failing.isEmpty()) {
            note(QStringLiteral("すべての基線 (%1 基線) が観測条件を満たしています。")
                     .arg(r_.conditions.size()));
            return;
        }
        const QFont f = tableFont();
        const QFont bad = strong(f);
        table(
            int(failing.size()),
            [&] {
                baselineColumns(QStringLiteral("基線"), QStringLiteral("始点"), QStringLiteral("終点"),
                                QStringLiteral("ｾｯｼｮﾝ"), f);
                s_.text(c_.at(0.46), c_.span(0, 0.11), QStringLiteral("観測時間(分)"), right, f);
                s_.text(c_.at(0.57), c_.span(0, 0.08), QStringLiteral("間隔(秒)"), right, f);
                s_.text(c_.at(0.65), c_.span(0, 0.06), QStringLiteral("衛星数"), right, f);
                s_.text(c_.at(0.71), c_.span(0, 0.06), QStringLiteral("高度角"), right, f);
                s_.text(c_.at(0.79), c_.span(0.79, 1.0), QStringLiteral("不適合"), left, f);
                s_.y += rowH;
                s_.hline(0, s_.width(), s_.y, 0.15);
            },
            [&](int i) {
                const ConditionCheck& c = *failing[i];
                baselineColumns(QString::number(c.baseline), c.startPoint, c.endPoint, c.session, f);
                s_.text(c_.at(0.46), c_.span(0, 0.11), MinutesText(c.minutes), right,
                        c.timeFails ? bad : f);
                s_.text(c_.at(0.57), c_.span(0, 0.08), PlainNumberText(c.interval), right,
                        c.intervalFails ? bad : f);
                s_.text(c_.at(0.65), c_.span(0, 0.06), QString::number(c.satellites), right,
                        c.satellitesFails ? bad : f);
                s_.text(c_.at(0.71), c_.span(0, 0.06), PlainNumberText(c.elevation), right, f);
                s_.text(c_.at(0.79), c_.span(0.79, 1.0), ProblemsText(c), left, f);
            });
    }

    void drawUnusable()
    {
        if (r_.unusable.isEmpty())
            return;
        heading(QStringLiteral("5. 点検に使用できない基線"));
        const QFont f = tableFont();
        table(
            int(r_.unusable.size()),
            [&] {
                s_.text(0, c_.span(0, 0.07), QStringLiteral("基線"), right, f);
                s_.text(c_.at(0.10), c_.span(0.10, 1.0), QStringLiteral("理由"), left, f);
                s_.y += rowH;
                s_.hline(0, s_.width(), s_.y, 0.15);
            },
            [&](int i) {
                s_.text(0, c_.span(0, 0.07), QString::number(r_.unusable[i].baseline), right, f);
                s_.text(c_.at(0.10), c_.span(0.10, 1.0), r_.unusable[i].reason, left, f);
            });
    }

    const CheckResult& r_;
    const CheckBookHeader& header_;
    Sheet& s_;
    Columns c_;
    int totalPages_;
    QHash<int, const ConditionCheck*> conditionOf_;
};

} // namespace

QString CheckBookTitle()
{
    return QStringLiteral("点検計算簿");
}

Outcome RenderCheckBook(const CheckResult& result, const CheckBookHeader& header,
                        QPagedPaintDevice& device, int* pages)
{
    FormPainter page(device);
    if (!page.isActive())
        return Outcome::failure(QStringLiteral("点検計算簿を描けません"));
    page.startPage();
    const double top = page.y;

    CountingSheet counting(page.width(), page.height(), top);
    CheckBook(result, header, counting, 0).draw();
    const int total = counting.page();

    PaintingSheet painting(page, top);
    CheckBook(result, header, painting, total).draw();
    if (pages)
        *pages = page.pageCount();
    if (!page.finish())
        return Outcome::failure(QStringLiteral("点検計算簿を書き出せません"));
    return Outcome::success();
}

Outcome WriteCheckBookPdf(const CheckResult& result, const CheckBookHeader& header,
                          const QString& pdfPath)
{
    return WritePdfFile(pdfPath, CheckBookTitle(), [&](QPdfWriter& writer) {
        return RenderCheckBook(result, header, writer);
    });
}
