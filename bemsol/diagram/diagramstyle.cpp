#include "diagramstyle.h"

#include <QPaintDevice>

#include <array>
#include <cmath>

namespace {

// Ten colours that stay apart on paper and on screen.
constexpr std::array<QRgb, 10> palette{
    0xd62728, 0x1f4fb4, 0x2ca02c, 0xff7f0e, 0x9467bd,
    0x8c564b, 0xe377c2, 0x17becf, 0x7f7f00, 0x000000,
};

const QList<qreal>& pattern(int index)
{
    static const std::array<QList<qreal>, 5> patterns{{
        {},
        {6, 3},
        {1.5, 2.5},
        {6, 2.5, 1.5, 2.5},
        {10, 2.5, 1.5, 2.5, 1.5, 2.5},
    }};
    return patterns[std::size_t(index % int(patterns.size()))];
}

} // namespace

SessionLineStyle SessionStyle(int index)
{
    const int colours = int(palette.size());
    SessionLineStyle style;
    if (index < colours * 5) {
        style.colour = QColor(palette[std::size_t(index % colours)]);
        // Sessions that share a colour differ in their pattern.
        style.dashes = pattern(index % colours + index / colours);
    } else {
        // Golden-angle steps round the hue circle keep neighbours apart.
        const double hue = std::fmod(index * 137.508, 360.0) / 360.0;
        style.colour = QColor::fromHsvF(float(hue), 0.9f, index % 2 ? 0.6f : 0.8f);
        style.dashes = pattern(index);
    }
    return style;
}

QFont DiagramFont(double heightMm, double unitsPerMm, const QPaintDevice* device, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic")});
    font.setStyleHint(QFont::SansSerif);
    // Point sizes are read at the device's resolution; the diagram measures in its own
    // units per millimetre, which differ from it under a scaled painter.
    const double dpi = device ? device->logicalDpiY() : 96.0;
    const double mmPerPoint = 25.4 / 72.0;
    font.setPointSizeF(heightMm / mmPerPoint * unitsPerMm / (dpi / 25.4));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
