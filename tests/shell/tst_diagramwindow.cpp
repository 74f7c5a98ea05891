// The 観測図 window on its own: the diagram of the Document with the grid's switches, the
// zone chooser, wheel zoom and drag about the right place, a click naming a baseline,
// refreshes when the project changes, the print preview and the PDF.
#include "import/exchangeimport.h"
#include "document/document.h"
#include "shell/diagramcanvas.h"
#include "shell/diagramwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

namespace {

const QString sample = QStringLiteral(SOURCE_DIR "/examples/sample-survey.xml");

Document& adopted(Document& document, const ProjectModel& model)
{
    document.adoptImported(model, sample);
    return document;
}

// `model` open as if imported from the sample, and a diagram window over it whose
// switched-off baselines are whatever `off` holds when it asks.
struct SampleDiagram
{
    SampleDiagram(const ProjectModel& model, const QSet<int>& off)
        : window(adopted(document, model), [&off] { return off; })
    {
    }
    Document document;
    DiagramWindow window;
};

// A baseline drawn alone between its two points (no repeat beside it), with the point
// of its line farthest from every other line, so a click there can only mean it.
struct Target
{
    int baseline = 0;
    QPointF at;
};

double distance(const QPointF& p, const QLineF& s)
{
    const QPointF d = s.p2() - s.p1();
    const double t = std::clamp(QPointF::dotProduct(p - s.p1(), d) / QPointF::dotProduct(d, d), 0.0, 1.0);
    return QLineF(p, s.p1() + t * d).length();
}

Target clearTarget(const DiagramCanvas& canvas)
{
    const DiagramLayout& layout = canvas.diagram();
    QList<QLineF> lines;
    for (const DiagramBaseline& b : layout.baselines)
        lines << QLineF(canvas.positionOf(b.from), canvas.positionOf(b.to));
    Target best;
    double bestClearance = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        for (double t : {0.3, 0.4, 0.5, 0.6, 0.7}) {
            const QPointF p = lines[i].pointAt(t);
            double clearance = 1e9;
            for (qsizetype j = 0; j < lines.size(); ++j)
                if (j != i)
                    clearance = std::min(clearance, distance(p, lines[j]));
            if (clearance > bestClearance) {
                bestClearance = clearance;
                best = {layout.baselines[i].baseline, p};
            }
        }
    }
    return best;
}

int previewPages(DiagramWindow& window, QPageLayout* seenLayout)
{
    int pages = -1;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            pages = widget->pageCount();
        *seenLayout = dialog->printer()->pageLayout();
        dialog->reject();
    });
    timer.start();
    window.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    return pages;
}

} // namespace

class TestDiagramWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void showsDiagramOfDocument();
    void zoneChooser();
    void clickNamesBaseline();
    void wheelZoomsAboutCursor();
    void dragPans();
    void followsDocumentAndSwitches();
    void printPreviewAndPdf();

private:
    ProjectModel model_;
    QSet<int> off_;
};

void TestDiagramWindow::init()
{
    model_ = {};
    QVERIFY(ReadExchangeFile(sample, model_));
    off_.clear();
}

void TestDiagramWindow::showsDiagramOfDocument()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const DiagramCanvas* canvas = window.canvas();
    QCOMPARE(canvas->diagram().points.size(), 8);
    QCOMPARE(canvas->diagram().baselines.size(), model_.baselineCount());
    QCOMPARE(window.zoneChooser()->currentText(), QStringLiteral("自動 (第X系)"));
    QCOMPARE(window.windowTitle(), QStringLiteral("観測図"));

    // Every point inside the map, and something drawn there.
    for (int i = 0; i < canvas->diagram().points.size(); ++i)
        QVERIFY(canvas->mapRect().contains(canvas->positionOf(i)));
    const QImage shot = window.canvas()->grab().toImage();
    int inked = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            inked += qGray(shot.pixel(x, y)) < 128;
    QVERIFY2(inked > 1000, qPrintable(QString::number(inked)));
}

void TestDiagramWindow::zoneChooser()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    QComboBox* chooser = window.zoneChooser();
    QCOMPARE(chooser->count(), 20);
    QCOMPARE(chooser->itemText(9), QStringLiteral("第IX系"));
    const double eastInX = window.canvas()->diagram().points.first().y;
    chooser->setCurrentIndex(9);
    QCOMPARE(window.canvas()->diagram().zone, 9);
    QVERIFY(std::abs(window.canvas()->diagram().points.first().y - eastInX) > 1000);
    // The map is fitted to the points again in the new zone.
    for (int i = 0; i < window.canvas()->diagram().points.size(); ++i)
        QVERIFY(window.canvas()->mapRect().contains(window.canvas()->positionOf(i)));
    chooser->setCurrentIndex(0);
    QCOMPARE(window.canvas()->diagram().zone, 10);
}

void TestDiagramWindow::clickNamesBaseline()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramCanvas* canvas = window.canvas();
    QSignalSpy chosen(&window, &DiagramWindow::baselineChosen);

    const Target target = clearTarget(*canvas);
    QVERIFY(target.baseline > 0);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, target.at.toPoint());
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.first().first().toInt(), target.baseline);

    // A click in the empty corner of the map names nothing.
    QTest::mouseClick(canvas, Qt::LeftButton, {}, (canvas->mapRect().topLeft() + QPointF(3, 3)).toPoint());
    QCOMPARE(chosen.size(), 1);
}

void TestDiagramWindow::wheelZoomsAboutCursor()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramCanvas* canvas = window.canvas();
    const double scale = canvas->viewport().unitsPerMetre;
    const QPointF at = canvas->positionOf(3);
    const QPointF other = canvas->positionOf(0);

    QWheelEvent wheel(at, canvas->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    QVERIFY(std::abs(canvas->viewport().unitsPerMetre - scale * 1.5625) < scale * 1e-9);
    // The point under the cursor stays; the others move away from it.
    QVERIFY(QLineF(canvas->positionOf(3), at).length() < 0.01);
    QVERIFY(std::abs(QLineF(canvas->positionOf(0), at).length() - 1.5625 * QLineF(other, at).length()) < 0.01);

    // 全体表示 brings the whole network back.
    window.findChild<QPushButton*>(QStringLiteral("fitButton"))->click();
    QVERIFY(std::abs(canvas->viewport().unitsPerMetre - scale) < scale * 1e-9);
}

void TestDiagramWindow::dragPans()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    DiagramCanvas* canvas = window.canvas();
    QSignalSpy chosen(&window, &DiagramWindow::baselineChosen);
    const QPointF before = canvas->positionOf(0);
    const Target start = clearTarget(*canvas); // a drag that starts on a line names nothing
    const QPoint from = start.at.toPoint();
    QTest::mousePress(canvas, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(60, 25)), canvas->mapToGlobal(QPointF(from + QPoint(60, 25))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, from + QPoint(60, 25));
    const QPointF moved = canvas->positionOf(0) - before;
    QVERIFY(std::abs(moved.x() - 60) < 0.01);
    QVERIFY(std::abs(moved.y() - 25) < 0.01);
    QCOMPARE(chosen.size(), 0);
}

void TestDiagramWindow::followsDocumentAndSwitches()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    const QString first = window.canvas()->diagram().points.first().number;

    // An editor's change reaches the diagram.
    QVERIFY(open.document.UpdatePointName(first, QStringLiteral("K999")) > 0);
    QCOMPARE(window.canvas()->diagram().points.first().number, QStringLiteral("K999"));

    // Switches are read again on refresh.
    off_ = {1, 2};
    window.refresh();
    QCOMPARE(window.canvas()->diagram().baselines.first().baseline, 3);

    // A project opened afresh replaces the diagram.
    ProjectModel smaller = model_;
    smaller.baselines.resize(2);
    off_.clear();
    open.document.adoptImported(smaller, sample);
    QCOMPARE(window.canvas()->diagram().baselines.size(), 1);
    QCOMPARE(window.canvas()->diagram().points.size(), 2);
}

void TestDiagramWindow::printPreviewAndPdf()
{
    SampleDiagram open(model_, off_);
    DiagramWindow& window = open.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QPageLayout layout;
    QCOMPARE(previewPages(window, &layout), 1);
    QCOMPARE(layout.orientation(), QPageLayout::Landscape);
    QCOMPARE(layout.pageSize().id(), QPageSize::A4);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("window.pdf"));
    off_ = {15};
    window.refresh();
    QVERIFY(window.savePdf(pdf));
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY(text.contains(QStringLiteral("観測図")));
    QVERIFY(text.contains(QStringLiteral("第X系")));
    QVERIFY(!window.savePdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf"))));
}

QTEST_MAIN(TestDiagramWindow)
#include "tst_diagramwindow.moc"
