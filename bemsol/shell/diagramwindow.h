#pragma once

#include "model/outcome.h"

#include <QSet>
#include <QWidget>

#include <functional>

class DiagramCanvas;
class Document;
class QComboBox;
class QPushButton;

// 観測図: the diagram of the open project in a window of its own, with the baselines the
// grid has switched off left out. A zone chooser (自動 takes the zone nearest the
// points), 全体表示, 印刷 through the print preview and PDF. A click on a baseline says
// which one, for the grid to select it. The window follows the Document's changes; the
// grid's switches it reads again on refresh().
class DiagramWindow : public QWidget
{
    Q_OBJECT

public:
    using SwitchedOff = std::function<QSet<int>()>;

    DiagramWindow(const Document& document, SwitchedOff switchedOff, QWidget* parent = nullptr);

    DiagramCanvas* canvas() const { return canvas_; }
    QComboBox* zoneChooser() const { return zoneChooser_; }

    // Writes the diagram as it is shown (zone, switches) to `path`.
    Outcome savePdf(const QString& path) const;

public slots:
    // Builds the diagram again from the project and the switches; the view stays where
    // the user put it unless the zone changed.
    void refresh();

signals:
    void baselineChosen(int baseline);

private:
    void rebuild(bool keepView);
    void fillZoneChooser();
    void print();
    void exportPdf();

    const Document& document_;
    SwitchedOff switchedOff_;
    DiagramCanvas* canvas_;
    QComboBox* zoneChooser_;
};
