#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

// Draws the pages of a printed form on A4 in millimetres: positions are measured from
// the top left corner of the printable area, text boxes are one line high.
class FormPainter
{
public:
    // Sets the device to A4 portrait with the form's margins and starts painting.
    explicit FormPainter(QPagedPaintDevice& device);
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
