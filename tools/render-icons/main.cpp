// Renders an application icon drawn as SVG into the PNG sizes of the hicolor theme:
//   render-icons ICON.svg OUTDIR SIZE...
// writes OUTDIR/SIZExSIZE/apps/NAME.png, NAME being the SVG's base name. Run at build
// time, so the PNGs never drift from the drawing.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool renderOne(QSvgRenderer& svg, int size, const QString& path)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fputs("usage: render-icons ICON.svg OUTDIR SIZE...\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QSvgRenderer svg(source);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString name = QFileInfo(source).completeBaseName();
    for (int i = 3; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLatin1(argv[i]).toInt(&ok);
        const QString path = out.filePath(QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(name));
        if (!ok || size <= 0 || !renderOne(svg, size, path)) {
            std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
