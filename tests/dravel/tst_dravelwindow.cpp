#include "window/dravelwindow.h"
#include "window/userprompts.h"

#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Answers the window's dialogs as a user would, and keeps what it was asked.
class ScriptedPrompts : public UserPrompts
{
public:
    QString openFileName(QWidget*, const QString& filter, const QString& title) override
    {
        asked << QStringLiteral("open|%1|%2").arg(filter, title);
        return openAnswer;
    }
    QString saveFileName(QWidget*, const QString& initialName, const QString& filter,
                         const QString& title) override
    {
        asked << QStringLiteral("save|%1|%2|%3").arg(initialName, filter, title);
        return saveAnswer;
    }
    void tell(QWidget*, const QString& message) override { messages << message; }

    QString openAnswer;
    QString saveAnswer;
    QStringList asked;
    QStringList messages;
};

const QString openAsked = QStringLiteral(
    "open|HTMLﾌｧｲﾙ(*.htm)|HTMLﾌｧｲﾙを選択して「開く」ボタンを選択してください");
const QString saveAsked =
    QStringLiteral("save||ﾃｷｽﾄﾌｧｲﾙ(*.txt)|保存するファイル名を入力してください");
const QString exampleReport = QStringLiteral(SOURCE_DIR "/examples/results-report/report.htm");

// Types `text` into `box` key by key; QTest::keyClicks takes ASCII only.
void type(QLineEdit* box, const QString& text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

class TestDravelWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensWithDefaults();
    void labelsSelectTheirOptions_data();
    void labelsSelectTheirOptions();
    void emptyPathNeverAsksForOutput();
    void cancelledDialogsChangeNothing();
    void refusedContentIsToldBeforeSaving();
    void brokenReportKeepsWindowOpen();
    void writesChosenReportAndEnds();

private:
    template <typename T>
    T* child(const char* name)
    {
        T* w = window->findChild<T*>(QString::fromLatin1(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    void click(const char* name) { QTest::mouseClick(child<QWidget>(name), Qt::LeftButton); }

    ScriptedPrompts* prompts = nullptr;
    DravelWindow* window = nullptr;
    QTemporaryDir* dir = nullptr;
};

void TestDravelWindow::init()
{
    prompts = new ScriptedPrompts;
    window = new DravelWindow(*prompts);
    dir = new QTemporaryDir;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestDravelWindow::cleanup()
{
    delete window;
    delete prompts;
    delete dir;
}

void TestDravelWindow::opensWithDefaults()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Dravel"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    for (const char* box : {"Text1", "Text2", "Text3"})
        QVERIFY(child<QLineEdit>(box)->text().isEmpty());
    const QList<std::pair<const char*, QString>> captions = {
        {"Label1", "読込ファイル"}, {"Label2", "新設"},           {"Label3", "改算による座標変換"},
        {"Label4", "改測による座標変換"}, {"Label5", "作業内容"}, {"Label6", "世界測地系"},
        {"Label7", "日本測地系"},   {"Label8", "平面直角座標系"}};
    for (const auto& [name, caption] : captions)
        QCOMPARE(child<QLabel>(name)->text(), caption);
    QCOMPARE(child<QPushButton>("Command1")->text(), QStringLiteral("▼"));
    QCOMPARE(child<QPushButton>("Command2")->text(), QStringLiteral("書込"));
    QStringList frames;
    for (const QGroupBox* g : window->findChildren<QGroupBox*>())
        frames << g->title();
    QCOMPARE(frames, (QStringList{"作業区分", "測地系"}));
    for (const char* option : {"Option1", "Option2", "Option3", "Option4", "Option5"})
        QVERIFY(child<QRadioButton>(option)->text().isEmpty());
    QVERIFY(child<QRadioButton>("Option1")->isChecked());
    QVERIFY(child<QRadioButton>("Option4")->isChecked());
    const NumericDataOptions o = window->options();
    QCOMPARE(o.workCategory, WorkCategory::New);
    QCOMPARE(o.datum, GeodeticDatum::World);
}

void TestDravelWindow::labelsSelectTheirOptions_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QStringList>("others");
    QTest::newRow("新設 after another") << "Label2" << "Option1" << QStringList{"Option2", "Option3"};
    QTest::newRow("改算") << "Label3" << "Option2" << QStringList{"Option1", "Option3"};
    QTest::newRow("改測") << "Label4" << "Option3" << QStringList{"Option1", "Option2"};
    QTest::newRow("世界測地系 after 日本") << "Label6" << "Option4" << QStringList{"Option5"};
    QTest::newRow("日本測地系") << "Label7" << "Option5" << QStringList{"Option4"};
}

void TestDravelWindow::labelsSelectTheirOptions()
{
    QFETCH(QString, label);
    QFETCH(QString, option);
    QFETCH(QStringList, others);
    // Start from another option of the same frame, so the click has something to change.
    child<QRadioButton>(others.constFirst().toLatin1())->setChecked(true);
    QTest::mouseClick(child<QLabel>(label.toLatin1()), Qt::LeftButton);
    QVERIFY(child<QRadioButton>(option.toLatin1())->isChecked());
    for (const QString& other : others)
        QVERIFY(!child<QRadioButton>(other.toLatin1())->isChecked());
}

void TestDravelWindow::emptyPathNeverAsksForOutput()
{
    click("Command2");
    QCOMPARE(prompts->messages, QStringList{"読込ファイル名を入力してください"});
    QVERIFY(prompts->asked.isEmpty());
    QVERIFY(window->isVisible());
}

void TestDravelWindow::cancelledDialogsChangeNothing()
{
    type(child<QLineEdit>("Text1"), exampleReport);
    click("Command1"); // cancelled: the answer is empty
    QCOMPARE(child<QLineEdit>("Text1")->text(), exampleReport);
    click("Command2");
    QCOMPARE(prompts->asked, (QStringList{openAsked, saveAsked}));
    QVERIFY(prompts->messages.isEmpty());
    QVERIFY(window->isVisible());
    QVERIFY(dir->isValid() && QDir(dir->path()).isEmpty());
}

void TestDravelWindow::refusedContentIsToldBeforeSaving()
{
    child<QLineEdit>("Text1")->setText(exampleReport);
    type(child<QLineEdit>("Text2"), QStringLiteral("2級,3級"));
    prompts->saveAnswer = dir->filePath("out.txt");
    click("Command2");
    QCOMPARE(prompts->messages.size(), 1);
    QVERIFY2(prompts->messages[0].contains(QStringLiteral("作業内容")), qPrintable(prompts->messages[0]));
    QVERIFY(prompts->asked.isEmpty());
    QVERIFY(window->isVisible());
}

void TestDravelWindow::brokenReportKeepsWindowOpen()
{
    const QString missing = dir->filePath("missing.htm");
    type(child<QLineEdit>("Text1"), missing);
    prompts->saveAnswer = dir->filePath("out.txt");
    click("Command2");
    QCOMPARE(prompts->messages.size(), 1);
    QVERIFY2(prompts->messages[0].contains(missing), qPrintable(prompts->messages[0]));
    QVERIFY(!QFile::exists(prompts->saveAnswer));
    QVERIFY(window->isVisible());
}

void TestDravelWindow::writesChosenReportAndEnds()
{
    prompts->openAnswer = exampleReport;
    click("Command1");
    QCOMPARE(child<QLineEdit>("Text1")->text(), exampleReport);
    click("Label3");
    type(child<QLineEdit>("Text2"), QStringLiteral("基準点測量（3級）"));
    click("Label7");
    type(child<QLineEdit>("Text3"), QStringLiteral("9"));
    prompts->saveAnswer = dir->filePath("out.txt");
    click("Command2");

    QVERIFY2(prompts->messages.isEmpty(), qPrintable(prompts->messages.join('\n')));
    QCOMPARE(prompts->asked, (QStringList{openAsked, saveAsked}));
    QCOMPARE(readAll(prompts->saveAnswer),
             readAll(TEST_DATA_DIR "/example-recalculation-japan.txt"));
    QVERIFY(!window->isVisible());
}

QTEST_MAIN(TestDravelWindow)
#include "tst_dravelwindow.moc"
