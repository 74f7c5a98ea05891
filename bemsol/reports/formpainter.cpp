#include "formpainter.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>

#include <algorithm>
#include <cmath>

namespace {

constexpr double mmPerInch = 25.4;

QFont ipaFont(const QStringList& families, double points, bool fixedPitch)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixedPitch);
    // Characters must sit in their columns exactly, not where hinting rounds them.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace

void SetDesignPage(QPagedPaintDevice& device, const FormDesign& design)
{
    device.setPageLayout(design.pageLayout());
}

FormPainter::FormPainter(QPagedPaintDevice& device, const FormDesign& design) : device_(device)
{
    painter_.begin(&device_);
    const QSizeF designed = design.pageLayout().paintRect(QPageLayout::Millimeter).size();
    const QSizeF paper = device_.pageLayout().paintRect(QPageLayout::Millimeter).size();
    widthMm_ = designed.width();
    heightMm_ = designed.height();
    dotsPerMm_ = device_.logicalDpiX() / mmPerInch;
    if (!painter_.isActive() || paper.isEmpty() || designed.isEmpty())
        return;
    // On the design's own paper nothing is transformed, so those pages stay as they were.
    constexpr double same = 1e-6;
    if (std::abs(paper.width() - designed.width()) < same
        && std::abs(paper.height() - designed.height()) < same)
        return;
    const double scale = std::min(paper.width() / designed.width(), paper.height() / designed.height());
    painter_.translate(px((paper.width() - designed.width() * scale) / 2),
                       px((paper.height() - designed.height() * scale) / 2));
    painter_.scale(scale, scale);
}

FormPainter::~FormPainter()
{
    if (painter_.isActive())
        painter_.end();
}

bool FormPainter::finish()
{
    return painter_.end();
}

void FormPainter::startPage()
{
    if (pages_ > 0)
        device_.newPage();
    ++pages_;
    y = 0;
    text(0, widthMm_, 6, QStringLiteral("世界測地系"), Qt::AlignRight | Qt::AlignVCenter,
         headerFont());
    y = 9;
}

void FormPainter::text(double x, double w, double h, const QString& text, Qt::Alignment align,
                       const QFont& font)
{
    if (text.isEmpty())
        return;
    const QRectF box(px(x), px(y), px(w), px(h));
    painter_.setFont(font);
    // A value longer than its box is set smaller rather than run over its neighbours
    // (a long receiver name would otherwise cover its label).
    const double width = painter_.fontMetrics().horizontalAdvance(text);
    if (width > box.width() && width > 0) {
        QFont smaller = font;
        smaller.setPointSizeF(font.pointSizeF() * std::max(0.5, box.width() / width));
        painter_.setFont(smaller);
    }
    painter_.drawText(box, int(align), text);
}

void FormPainter::hline(double x1, double x2, double atY, double widthMm)
{
    painter_.setPen(QPen(Qt::black, px(widthMm)));
    painter_.drawLine(QPointF(px(x1), px(atY)), QPointF(px(x2), px(atY)));
}

QFont FormPainter::titleFont()
{
    return ipaFont({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}, 18, false);
}

QFont FormPainter::labelFont()
{
    return ipaFont({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}, 10.5, false);
}

QFont FormPainter::headerFont()
{
    return ipaFont({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")}, 10, false);
}

QFont FormPainter::fixedFont()
{
    return ipaFont({QStringLiteral("IPAGothic")}, 9, true);
}
