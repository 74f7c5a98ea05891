#include "formpainter.h"

#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>

#include <algorithm>

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

FormPainter::FormPainter(QPagedPaintDevice& device) : device_(device)
{
    device_.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 10, 15, 10), QPageLayout::Millimeter));
    painter_.begin(&device_);
    const QRectF area = device_.pageLayout().paintRect(QPageLayout::Millimeter);
    widthMm_ = area.width();
    heightMm_ = area.height();
    dotsPerMm_ = device_.logicalDpiX() / mmPerInch;
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
