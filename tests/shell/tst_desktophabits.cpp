#include "fakeuserdialogs.h"
#include "modelbuilder.h"
#include "grid/baselinegridmodel.h"
#include "grid/gridcolumns.h"
#include "shell/mainwindow.h"
#include "shell/recentfiles.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString smallSurvey = QStringLiteral(TEST_DATA_DIR "/small-survey.xml");

void writeFile(const QString& path, const QByteArray& bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The texts of the recent-files submenu as the user sees it when it opens.
QStringList recentMenuTexts(MainWindow& window)
{
    QMenu* menu = window.menu("mnRecent");
    emit menu->aboutToShow();
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

QAction* recentItem(MainWindow& window, int number)
{
    emit window.menu("mnRecent")->aboutToShow();
    return window.menuItem(QStringLiteral("miRecent%1").arg(number));
}

// A drag over the window and the drop that ends it; whether the window took the drag.
bool dropOn(MainWindow& window, QMimeData& data)
{
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return true;
}

// Stands in for the desktop's browser: records the files it was asked to show.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

} // namespace

class TestDesktopHabits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void recentFilesList();
    void recentMenuReopensAndForgets();
    void droppedFileOpensAsOpenWould();
    void dragOfWhatCannotBeOpened_data();
    void dragOfWhatCannotBeOpened();
    void windowPlacementKept();
    void manualFromHelpMenu_data();
    void manualFromHelpMenu();
    void nameTableFolders_data();
    void nameTableFolders();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<MainWindow> window_;
    QString userDataDir_;
    QString configDir_;
};

void TestDesktopHabits::initTestCase()
{
    // The settings and the user's data folder of a test program of its own, emptied
    // before every case.
    QStandardPaths::setTestModeEnabled(true);
    userDataDir_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    configDir_ = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QVERIFY(userDataDir_.contains(".qttest"));
}

void TestDesktopHabits::init()
{
    QDir(userDataDir_).removeRecursively();
    QDir(configDir_).removeRecursively();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(QDir().mkpath(dir_->filePath("program")));
    dialogs_ = std::make_unique<FakeUserDialogs>();
    window_ = std::make_unique<MainWindow>(dir_->filePath("program"), QStringLiteral("山田"), *dialogs_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestDesktopHabits::cleanup()
{
    window_.reset();
    dialogs_.reset();
    dir_.reset();
}

void TestDesktopHabits::recentFilesList()
{
    RecentFiles recent(dir_->filePath("settings.conf"));
    QVERIFY(recent.paths().isEmpty());
    const QString a = dir_->filePath("a.xml");
    const QString b = dir_->filePath("b.dat");
    recent.add(a);
    recent.add(b);
    QCOMPARE(recent.paths(), (QStringList{b, a}));

    // The same file by another spelling moves up instead of being listed twice.
    recent.add(dir_->filePath("sub/../a.xml"));
    QCOMPARE(recent.paths(), (QStringList{a, b}));

    // Kept across instances (runs), the oldest dropping off beyond the limit.
    QStringList expected;
    for (int i = 1; i <= RecentFiles::maxCount + 2; ++i) {
        const QString p = dir_->filePath(QStringLiteral("p%1.xml").arg(i));
        recent.add(p);
        expected.prepend(p);
    }
    QCOMPARE(RecentFiles(dir_->filePath("settings.conf")).paths(), expected.mid(0, RecentFiles::maxCount));

    recent.remove(expected[1]);
    QCOMPARE(recent.paths().size(), RecentFiles::maxCount - 1);
    QVERIFY(!recent.paths().contains(expected[1]));
    recent.clear();
    QVERIFY(recent.paths().isEmpty());
}

void TestDesktopHabits::recentMenuReopensAndForgets()
{
    QCOMPARE(window_->menu("mnRecent")->title(), QStringLiteral("最近使ったファイル(&R)"));
    QCOMPARE(recentMenuTexts(*window_), QStringList{"(なし)"});

    const QString exchange = dir_->filePath("data & more/survey.xml");
    QVERIFY(QDir().mkpath(dir_->filePath("data & more")));
    QVERIFY(QFile::copy(smallSurvey, exchange));
    const QString project = dir_->filePath("survey.dat");

    dialogs_->openAnswers = {exchange};
    window_->menuItem("miOpen")->trigger();
    dialogs_->saveAnswers = {project};
    window_->menuItem("miNamed")->trigger();
    QVERIFY(QFile::exists(project));
    // Newest first; an "&" in a folder's name is shown, not taken as a shortcut.
    QCOMPARE(recentMenuTexts(*window_), (QStringList{"&1 " + project, "&2 " + QString(exchange).replace("&", "&&"),
                                                     "一覧を消去(&C)"}));

    // Choosing an entry asks the save question first, as 開く does; Cancel keeps all.
    QVERIFY(window_->document().UpdateCellData(ProjectField::StartReceiverName, {1}, "edited"));
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::Cancel};
    recentItem(*window_, 2)->trigger();
    QCOMPARE(dialogs_->saveQuestionAsked, 1);
    QCOMPARE(window_->document().shownPath(), project);
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::No};
    recentItem(*window_, 2)->trigger();
    QCOMPARE(window_->document().shownPath(), exchange);
    QVERIFY(!window_->document().modified());
    QCOMPARE(recentMenuTexts(*window_).first(), "&1 " + QString(exchange).replace("&", "&&"));

    // A file gone since is named and dropped from the list, with nothing asked and the
    // open project left alone.
    QVERIFY(QFile::remove(project));
    const int asked = dialogs_->saveQuestionAsked;
    recentItem(*window_, 2)->trigger();
    QCOMPARE(dialogs_->saveQuestionAsked, asked);
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY2(dialogs_->messages[0].message.contains(project), qPrintable(dialogs_->messages[0].message));
    QCOMPARE(window_->document().shownPath(), exchange);
    QCOMPARE(recentMenuTexts(*window_).size(), 2); // the exchange file and 一覧を消去

    // The list outlives the window.
    window_.reset();
    MainWindow next(dir_->filePath("program"), QStringLiteral("山田"), *dialogs_);
    QCOMPARE(recentMenuTexts(next).first(), "&1 " + QString(exchange).replace("&", "&&"));
    next.menuItem("miRecentClear")->trigger();
    QCOMPARE(recentMenuTexts(next), QStringList{"(なし)"});
}

void TestDesktopHabits::droppedFileOpensAsOpenWould()
{
    window_->document().adoptImported(ModelBuilder().baseline("K01", "K02").build(), "/x/other.xml");
    QVERIFY(window_->document().UpdateCellData(ProjectField::StartReceiverName, {1}, "edited"));

    // The first file the window can open counts.
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir_->filePath("notes.txt")), QUrl::fromLocalFile(smallSurvey)});

    // The save question comes first; Cancel leaves the project open and changed.
    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::Cancel};
    QVERIFY(dropOn(*window_, data));
    QTRY_COMPARE(dialogs_->saveQuestionAsked, 1);
    QCOMPARE(window_->document().shownPath(), QStringLiteral("/x/other.xml"));
    QVERIFY(window_->document().modified());

    dialogs_->saveQuestionAnswers = {DocumentView::SaveAnswer::No};
    QVERIFY(dropOn(*window_, data));
    QTRY_COMPARE(window_->document().shownPath(), smallSurvey);
    QCOMPARE(dialogs_->saveQuestionAsked, 2);
    QCOMPARE(window_->gridModel()->rowCount(), 3);
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestDesktopHabits::dragOfWhatCannotBeOpened_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::newRow("text file") << QList<QUrl>{QUrl::fromLocalFile(QStringLiteral(TEST_DATA_DIR "/../CMakeLists.txt"))};
    QTest::newRow("exchange file missing") << QList<QUrl>{QUrl::fromLocalFile("/nonexistent/survey.xml")};
    QTest::newRow("not a local file") << QList<QUrl>{QUrl("https://example.org/survey.xml")};
    QTest::newRow("no urls") << QList<QUrl>{};
}

void TestDesktopHabits::dragOfWhatCannotBeOpened()
{
    QFETCH(QList<QUrl>, urls);
    QMimeData data;
    if (urls.isEmpty())
        data.setText(smallSurvey);
    else
        data.setUrls(urls);
    QVERIFY(!dropOn(*window_, data));
    QTest::qWait(20);
    QCOMPARE(window_->gridModel()->rowCount(), 0);
    QCOMPARE(dialogs_->saveQuestionAsked + dialogs_->messages.size(), 0);
}

void TestDesktopHabits::windowPlacementKept()
{
    window_->resize(730, 470);
    window_->move(40, 60);
    QTRY_COMPARE(window_->size(), QSize(730, 470));
    const QRect placed = window_->geometry();
    QVERIFY(window_->close());

    MainWindow next(dir_->filePath("program"), QStringLiteral("山田"), *dialogs_);
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.geometry(), placed);
}

void TestDesktopHabits::manualFromHelpMenu_data()
{
    QTest::addColumn<QStringList>("manuals"); // relative to the temporary root
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("opened");      // empty: the manual is missing

    QTest::newRow("beside the program") << QStringList{"program/manual/index.html"} << "program"
                                        << "program/manual/index.html";
    QTest::newRow("installed")
        << QStringList{"usr/share/bemsol/manual/index.html"} << "usr/bin" << "usr/share/bemsol/manual/index.html";
    QTest::newRow("missing") << QStringList{} << "program" << "";
}

void TestDesktopHabits::manualFromHelpMenu()
{
    QFETCH(QStringList, manuals);
    QFETCH(QString, program);
    QFETCH(QString, opened);
    QVERIFY(QDir().mkpath(dir_->filePath(program)));
    for (const QString& m : manuals)
        writeFile(dir_->filePath(m), "<html></html>");
    MainWindow window(dir_->filePath(program), QStringLiteral("山田"), *dialogs_);
    QAction* item = window.menuItem("miManual");
    QVERIFY(item);
    QCOMPARE(item->text(), QStringLiteral("操作説明(&M)"));
    QCOMPARE(window.menu("mnHelp")->actions().first(), item);

    UrlRecorder browser;
    QDesktopServices::setUrlHandler("file", &browser, "open");
    const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("file"); });
    item->trigger();
    if (opened.isEmpty()) {
        QVERIFY(browser.opened.isEmpty());
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY(dialogs_->messages[0].message.contains("manual/index.html"));
        QVERIFY(dialogs_->messages[0].message.contains(dir_->filePath(program)));
    } else {
        QCOMPARE(browser.opened, QList<QUrl>{QUrl::fromLocalFile(dir_->filePath(opened))});
        QVERIFY(dialogs_->messages.isEmpty());
    }
}

void TestDesktopHabits::nameTableFolders_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("tables"); // "user" for the user's data folder
    QTest::addColumn<QString>("session");    // of the first baseline after the import

    // Each table renames session 1 after the folder it lies in.
    QTest::newRow("beside wins") << "program" << QStringList{"program", "user"} << "beside";
    QTest::newRow("user's own") << "usr/bin" << QStringList{"user", "usr/share/bemsol"} << "user";
    QTest::newRow("installed default") << "usr/bin" << QStringList{"usr/share/bemsol"} << "installed";
    QTest::newRow("none") << "program" << QStringList{} << "1";
}

void TestDesktopHabits::nameTableFolders()
{
    QFETCH(QString, program);
    QFETCH(QStringList, tables);
    QFETCH(QString, session);
    QVERIFY(QDir().mkpath(dir_->filePath(program)));
    for (const QString& t : tables) {
        const QString folder = t == "user" ? userDataDir_ : dir_->filePath(t);
        const QByteArray to = t == "user" ? "user" : t == "program" ? "beside" : "installed";
        writeFile(folder + "/ChangeName.ini", "SS,1," + to + "\r\n");
    }
    MainWindow window(dir_->filePath(program), QStringLiteral("山田"), *dialogs_);
    window.openFile(smallSurvey);
    QCOMPARE(window.gridModel()->index(0, GridColumn::Session).data().toString(), session);
}

QTEST_MAIN(TestDesktopHabits)
#include "tst_desktophabits.moc"
