#include "diagramcommand.h"
#include "cliarguments.h"

#include "diagram/diagramform.h"
#include "diagram/diagramjson.h"
#include "diagram/diagramlayout.h"
#include "diagram/diagrampainter.h"
#include "diagram/planezone.h"
#include "document/document.h"

#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <optional>

namespace {

int usage()
{
    PrintError(QStringLiteral("usage: bemsol-cli diagram INPUT.xml|INPUT.dat OUT.pdf|OUT.svg "
                              "[--names FILE|--no-names] [--off LIST] [--zone N] [--json]"));
    return exitUsage;
}

constexpr double svgDpi = 96;

// The diagram on its design page as one SVG drawing, millimetres at 96 dpi.
Outcome writeSvg(const DiagramLayout& layout, const QString& path)
{
    QSaveFile file(path);
    const auto cannotWrite = [&] {
        return Outcome::failure(QStringLiteral("SVGファイルを書き込めません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite();
    const FormDesign design = DiagramDesign(layout);
    const QPageLayout page = design.pageLayout();
    const double unitsPerMm = svgDpi / 25.4;
    const QSizeF paperMm = page.fullRect(QPageLayout::Millimeter).size();
    const QRectF areaMm = page.paintRect(QPageLayout::Millimeter);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setResolution(int(svgDpi));
        svg.setSize(QSize(qRound(paperMm.width() * unitsPerMm), qRound(paperMm.height() * unitsPerMm)));
        svg.setViewBox(QRectF(QPointF(0, 0), paperMm * unitsPerMm));
        svg.setTitle(DiagramTitle());
        svg.setDescription(QStringLiteral("Bemsol"));
        QPainter painter;
        if (!painter.begin(&svg)) {
            file.cancelWriting();
            return Outcome::failure(QStringLiteral("観測図を描けません"));
        }
        painter.fillRect(QRectF(QPointF(0, 0), paperMm * unitsPerMm), Qt::white);
        DiagramPainter diagram(layout);
        diagram.paint(painter,
                      QRectF(areaMm.topLeft() * unitsPerMm, areaMm.size() * unitsPerMm), unitsPerMm);
        painter.end();
    }
    if (!file.commit())
        return cannotWrite();
    return Outcome::success();
}

// --zone N: nothing when not given, -1 when not a zone number.
std::optional<int> zoneOption(const CliArguments& cl)
{
    if (!cl.has(QStringLiteral("--zone")))
        return std::nullopt;
    bool ok = false;
    const int zone = cl.value(QStringLiteral("--zone")).trimmed().toInt(&ok);
    return ok && IsPlaneZone(zone) ? zone : -1;
}

} // namespace

int RunDiagramCommand(const QStringList& arguments)
{
    const CliArguments cl = ParseCliArguments(
        arguments, {QStringLiteral("--names"), QStringLiteral("--off"), QStringLiteral("--zone")},
        {QStringLiteral("--no-names"), QStringLiteral("--json")}, {QStringLiteral("--off")});
    // Only ".pdf" or ".svg": a slip of the arguments must not overwrite the input.
    if (!cl.valid || cl.positional.size() != 2
        || !(cl.positional[1].endsWith(u".pdf") || cl.positional[1].endsWith(u".svg")))
        return usage();
    const std::optional<int> zone = zoneOption(cl);
    if (zone == -1) {
        PrintError(QStringLiteral("--zone: 座標系の番号が違います: %1 (1..%2)")
                       .arg(cl.value(QStringLiteral("--zone")))
                       .arg(planeZoneCount));
        return exitUsage;
    }

    Document document;
    const CliInput input = OpenCliInputWithOff(document, cl);
    if (!input)
        return input.exitCode;
    const Result<DiagramLayout> layout = BuildDiagramLayout(document.model(), input.off, zone);
    if (!layout) {
        PrintError(layout.message());
        return exitRefused;
    }
    const QString& output = cl.positional[1];
    const Outcome written = output.endsWith(u".svg") ? writeSvg(*layout, output)
                                                     : WriteDiagramPdf(*layout, output);
    if (!written) {
        PrintError(written.message);
        return exitRefused;
    }
    if (!layout->pointsWithoutPosition.isEmpty())
        PrintError(QStringLiteral("座標のない点は基線ごと省きました: %1")
                       .arg(layout->pointsWithoutPosition.join(QStringLiteral(", "))));
    if (cl.has(QStringLiteral("--json")))
        PrintOutput(DiagramToJson(*layout));
    return exitDone;
}
