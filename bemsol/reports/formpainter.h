#pragma once

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

// The page a form is laid out on; A4 portrait with the field book's margins unless the
// form says otherwise.
struct FormDesign
{
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{15, 10, 15, 10}; // mm

    QPageLayout pageLayout() const
    {
        return QPageLayout(QPageSize(pageSize), orientation, margins, QPageLayout::Millimeter);
    }
};

// Gives a device that has no paper of the user's choosing yet (a PDF file, a printer
// before its preview) the design's page.
void SetDesignPage(QPagedPaintDevice& device, const FormDesign& design = {});

// Draws the pages of a printed form in millimetres of its design page: positions are
// measured from the top left corner of the design's printable area, text boxes are one
// line high. On paper of another size the design is scaled to fit and centred; the
// device's page is never changed, so a page set up in a print preview stays.
class FormPainter
{
public:
    explicit FormPainter(QPagedPaintDevice& device, const FormDesign& design = {});
    ~FormPainter();

    bool isActive() const { return painter_.isActive(); }
    // Finishes the document; false when the device could not be written.
    bool finish();

    // Width and height of the printable area, mm.
    double width() const { return widthMm_; }
    double height() const { return heightMm_; }

    // A fresh page with the page header; the first call uses the page the device
    // started with. Leaves the cursor below the header.
    void startPage();
    int pageCount() const { return pages_; }

    // The cursor: where the next line goes, mm from the top.
    double y = 0;
    bool fits(double heightMm) const { return y + heightMm <= heightMm_ + 1e-6; }

    // One line of text in the box x..x+w at the cursor, `h` high.
    void text(double x, double w, double h, const QString& text, Qt::Alignment align,
              const QFont& font);
    void hline(double x1, double x2, double atY, double widthMm = 0.2);

    // For forms that draw more than text and rules: the painter, its units per
    // millimetre of the design, and the device rectangle of a box in millimetres.
    QPainter& painter() { return painter_; }
    double unitsPerMm() const { return dotsPerMm_; }
    QRectF box(double x, double top, double w, double h) const
    {
        return QRectF(px(x), px(top), px(w), px(h));
    }

    // Fonts of the forms. Fixed: a fixed-pitch Japanese font for texts laid out in
    // character columns (tracking bars, satellite numbers and status).
    static QFont titleFont();
    static QFont labelFont();
    static QFont headerFont();
    static QFont fixedFont();

private:
    double px(double mm) const { return mm * dotsPerMm_; }

    QPagedPaintDevice& device_;
    QPainter painter_;
    double dotsPerMm_ = 1;
    double widthMm_ = 0;
    double heightMm_ = 0;
    int pages_ = 0;
};
