// The checks window on its own: it fills its tables from the open project, follows the
// Document's changes, the grid's switches and its own settings, makes failing rows stand
// out, asks for a row's baselines on a double-click and previews the 点検計算簿.
#include "checksfixture.h"

#include "document/document.h"
#include "shell/checkmodels.h"
#include "shell/checkswindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// A triangle of two sessions closing to 20 mm north, baseline 1 observed again from B,
// a side to D in session 1 only, and a baseline whose end the import could not match.
ProjectModel network()
{
    ChecksNetwork n;
    n.place(QStringLiteral("A"), 0, 0, 0);
    n.place(QStringLiteral("B"), 1200, 300, -200);
    n.place(QStringLiteral("C"), 400, 1500, 100);
    n.place(QStringLiteral("D"), -900, 800, 50);
    n.baseline(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("1"));
    n.baseline(QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("1"), {0, 0, 0.020});
    n.baseline(QStringLiteral("C"), QStringLiteral("A"), QStringLiteral("2"));
    n.baseline(QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("2"));
    n.baseline(QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("1"));
    n.baseline(QStringLiteral("A"), QStringLiteral("D"), QStringLiteral("1"));
    n.at(6).endOccupation = 0;
    n.at(5).endTime = QStringLiteral("2024/05/01 9:50:00"); // 50 minutes
    return n.model;
}

QList<int> rowCounts(const ChecksWindow& w)
{
    QList<int> counts;
    for (int t = ChecksWindow::LoopsTab; t <= ChecksWindow::UnusableTab; ++t)
        counts << w.table(t)->rowCount();
    return counts;
}

bool standsOut(const CheckTableModel* model, int row)
{
    return model->data(model->index(row, 0), Qt::BackgroundRole).isValid();
}

} // namespace

class TestChecksWindow : public QObject
{
    Q_OBJECT

private slots:
    void fillsItsTables();
    void followsTheProjectAndTheSwitches();
    void settingsRunTheChecksAgain();
    void doubleClickAsksForTheBaselines();
    void printPreviewShowsTheBook();
};

void TestChecksWindow::fillsItsTables()
{
    Document document;
    document.adoptImported(network(), QStringLiteral("net.xml"));
    ChecksWindow w(document, [] { return QSet<int>{}; });
    // Loops 1,2,3 and 4,-3,-2; repeat 1/4; all five usable conditions; 5 unchecked; 6 unusable.
    QCOMPARE(rowCounts(w), (QList<int>{2, 1, 5, 1, 1}));
    const CheckTableModel* loops = w.table(ChecksWindow::LoopsTab);
    QCOMPARE(loops->data(loops->index(0, 2), Qt::DisplayRole).toString(), QStringLiteral("1, 2, 3"));
    QCOMPARE(loops->data(loops->index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("A → B → C → A"));
    QCOMPARE(loops->data(loops->index(0, 4), Qt::DisplayRole).toString(), QStringLiteral("0.020"));
    QVERIFY(!standsOut(loops, 0));
    // The 50-minute baseline fails its condition and stands out; the others do not.
    const CheckTableModel* conditions = w.table(ChecksWindow::ConditionsTab);
    for (int row = 0; row < conditions->rowCount(); ++row)
        QCOMPARE(standsOut(conditions, row), conditions->baselinesAt(row) == QList<int>{5});
    QVERIFY(standsOut(w.table(ChecksWindow::UncheckedTab), 0));

    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabs"));
    QVERIFY(tabs->tabText(ChecksWindow::ConditionsTab).contains(QStringLiteral("不合格 1")));
    QVERIFY(tabs->tabText(ChecksWindow::UnusableTab).contains(QStringLiteral("(1)")));
}

void TestChecksWindow::followsTheProjectAndTheSwitches()
{
    Document document;
    document.adoptImported(network(), QStringLiteral("net.xml"));
    QSet<int> off;
    ChecksWindow w(document, [&off] { return off; });
    QCOMPARE(w.table(ChecksWindow::LoopsTab)->rowCount(), 2);

    // An edit in place: baseline 3 joins session 1, so triangle 1, 2, 3 has one session
    // and baseline 2 closes one with the repeat instead.
    document.ChangeSessionData({3}, QStringLiteral("1"));
    QCOMPARE(w.table(ChecksWindow::LoopsTab)->rowCount(), 1);
    QCOMPARE(w.result()->loops[0].path(), (QList<int>{2, 3, -4}));

    // A new project.
    ChecksNetwork triangle;
    triangle.place(QStringLiteral("P"), 0, 0, 0);
    triangle.place(QStringLiteral("Q"), 100, 0, 0);
    triangle.place(QStringLiteral("R"), 0, 100, 0);
    triangle.baseline(QStringLiteral("P"), QStringLiteral("Q"), QStringLiteral("x"));
    triangle.baseline(QStringLiteral("Q"), QStringLiteral("R"), QStringLiteral("y"));
    triangle.baseline(QStringLiteral("R"), QStringLiteral("P"), QStringLiteral("y"));
    document.adoptImported(triangle.model, QStringLiteral("other.xml"));
    QCOMPARE(rowCounts(w), (QList<int>{1, 0, 3, 0, 0}));

    // The grid switches baseline 2 off: asked again on refresh.
    off = {2};
    w.refresh();
    QCOMPARE(rowCounts(w), (QList<int>{0, 0, 2, 2, 0}));
}

void TestChecksWindow::settingsRunTheChecksAgain()
{
    Document document;
    document.adoptImported(network(), QStringLiteral("net.xml"));
    ChecksWindow w(document, [] { return QSet<int>{}; });
    auto* classBox = w.findChild<QComboBox*>(QStringLiteral("classBox"));
    auto* methodBox = w.findChild<QComboBox*>(QStringLiteral("methodBox"));
    auto* loopNE = w.findChild<QDoubleSpinBox*>(QStringLiteral("loopLimitNE"));
    QVERIFY(classBox && methodBox && loopNE);

    // 20 mm north passes 20 mm·√3; with 10 mm·√3 both triangles fail and stand out.
    QCOMPARE(w.result()->failedLoops(), 0);
    loopNE->setValue(10);
    QCOMPARE(w.settings().loopLimitNE, 0.010);
    QCOMPARE(w.result()->failedLoops(), 2);
    QVERIFY(standsOut(w.table(ChecksWindow::LoopsTab), 0));
    w.findChild<QPushButton*>(QStringLiteral("defaultsButton"))->click();
    QCOMPARE(w.result()->failedLoops(), 0);

    // Short static is offered for 3級 and 4級 only.
    auto* methods = qobject_cast<QStandardItemModel*>(methodBox->model());
    QVERIFY(!methods->item(1)->isEnabled());
    classBox->setCurrentIndex(2); // 3級
    QVERIFY(methods->item(1)->isEnabled());
    methodBox->setCurrentIndex(1);
    QCOMPARE(w.result()->settings.method, ObservationMethod::ShortStatic);
    QCOMPARE(w.result()->failedConditions(), 5); // 30 s is too long an interval for it
    classBox->setCurrentIndex(1); // 2級: back to static
    QCOMPARE(methodBox->currentIndex(), 0);
    QCOMPARE(w.result()->settings.surveyClass, SurveyClass::Second);
    QCOMPARE(w.result()->settings.method, ObservationMethod::Static);
    QCOMPARE(w.result()->failedConditions(), 1);
}

void TestChecksWindow::doubleClickAsksForTheBaselines()
{
    Document document;
    document.adoptImported(network(), QStringLiteral("net.xml"));
    ChecksWindow w(document, [] { return QSet<int>{}; });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy chosen(&w, &ChecksWindow::baselinesChosen);

    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("tabs"));
    const struct
    {
        int tab;
        const char* view;
        int row;
        QList<int> baselines;
    } clicks[] = {
        {ChecksWindow::LoopsTab, "loopsView", 1, {4, 3, 2}},
        {ChecksWindow::RepeatsTab, "repeatsView", 0, {1, 4}},
        {ChecksWindow::UncheckedTab, "uncheckedView", 0, {5}},
    };
    for (const auto& click : clicks) {
        tabs->setCurrentIndex(click.tab);
        auto* view = w.findChild<QTableView*>(QString::fromLatin1(click.view));
        const QPoint at = view->visualRect(view->model()->index(click.row, 1)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.takeFirst().at(0).value<QList<int>>(), click.baselines);
    }
}

void TestChecksWindow::printPreviewShowsTheBook()
{
    Document document;
    document.adoptImported(network(), QStringLiteral("net.xml"));
    ChecksWindow w(document, [] { return QSet<int>{}; });
    int pages = -1;
    QString title;
    QTimer timer;
    timer.setInterval(50);
    connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>())
            pages = preview->pageCount();
        title = dialog->windowTitle();
        dialog->reject();
    });
    timer.start();
    w.findChild<QPushButton*>(QStringLiteral("printButton"))->click();
    QCOMPARE(title, QStringLiteral("点検計算簿"));
    QVERIFY(pages >= 1);
}

QTEST_MAIN(TestChecksWindow)
#include "tst_checkswindow.moc"
