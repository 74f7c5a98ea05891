// The main window's 成果出力 menu from item to message, on a desk that records what the
// commands hand to the desktop and whether the hourglass was showing at that moment.
#include "fakeuserdialogs.h"
#include "outputdesk.h"
#include "outputfixture.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QTest>

namespace {

bool waiting()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

} // namespace

class TestOutputMenu : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void itemToMessage_data();
    void itemToMessage();

private:
    std::unique_ptr<QTemporaryDir> programDir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<Desk> desk_;
    std::unique_ptr<MainWindow> window_;
    // What the desk was asked, each with whether the hourglass showed then.
    QStringList seen_;
};

void TestOutputMenu::init()
{
    programDir_ = std::make_unique<QTemporaryDir>();
    dialogs_ = std::make_unique<FakeUserDialogs>();
    desk_ = std::make_unique<Desk>();
    seen_.clear();
    window_ = std::make_unique<MainWindow>(programDir_->path(), QStringLiteral("山田"), *dialogs_);
    window_->setOutputEnvironment([this] {
        OutputEnvironment env = desk_->environment();
        auto note = [this](const char* what) {
            seen_ << QString::fromLatin1(what) + (waiting() ? QStringLiteral(" (wait)") : QString());
        };
        env.openDocument = [this, note, open = env.openDocument](const QString& path) {
            note("open");
            return open(path);
        };
        env.startDetached = [this, note, start = env.startDetached](const QString& program) {
            note("start");
            return start(program);
        };
        env.beginWait = [note] { note("begin"); };
        env.endWait = [note] { note("end"); };
        return env;
    });
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void TestOutputMenu::cleanup()
{
    window_.reset();
    desk_.reset();
    dialogs_.reset();
    programDir_.reset();
}

void TestOutputMenu::itemToMessage_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("withBaselines");
    QTest::addColumn<bool>("desktopWorks");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("message"); // a part of the one message shown; empty: none
    QTest::addColumn<int>("severity");

    const QStringList filled{"begin (wait)", "end (wait)", "open"};
    const int warning = int(Outcome::Severity::Warning);
    // The fixture has two baselines whose rows cannot be completed: the list is opened
    // and the user told so.
    QTest::newRow("list filled, rows incomplete") << "miTenkenKanheigou" << true << true << filled
                                                  << "基線一覧の 2 行" << warning;
    QTest::newRow("list, no baselines") << "miTenkenDensi" << false << true << QStringList{"open"} << ""
                                        << 0;
    QTest::newRow("list filled, nothing opens it") << "miSeidoTenken" << true << false << filled
                                                   << ".xlsx" << warning;
    QTest::newRow("template opened") << "miKijuntenSeika" << true << true << QStringList{"open"} << "" << 0;
    QTest::newRow("document opened") << "miSeido" << true << true << QStringList{"open"} << "" << 0;
    QTest::newRow("Dravel started") << "miSuutiSeika" << true << true << QStringList{"start"} << "" << 0;
    QTest::newRow("Dravel does not start") << "miSuutiSeika" << true << false << QStringList{"start"}
                                           << "dravel" << warning;
}

void TestOutputMenu::itemToMessage()
{
    QFETCH(QString, item);
    QFETCH(bool, withBaselines);
    QFETCH(bool, desktopWorks);
    QFETCH(QStringList, seen);
    QFETCH(QString, message);
    QFETCH(int, severity);
    desk_->placeDravel();
    desk_->openSucceeds = desktopWorks;
    desk_->startSucceeds = desktopWorks;
    if (withBaselines)
        window_->document().adoptImported(outputFixtureProject(), QStringLiteral("/x/survey.xml"));
    const ProjectModel before = window_->document().model();

    window_->menuItem(item)->trigger();

    QCOMPARE(seen_, seen);
    QVERIFY(!QGuiApplication::overrideCursor());
    if (message.isEmpty()) {
        QVERIFY(dialogs_->messages.isEmpty());
    } else {
        QCOMPARE(dialogs_->messages.size(), 1);
        QVERIFY2(dialogs_->messages[0].message.contains(message), qPrintable(dialogs_->messages[0].message));
        QCOMPARE(int(dialogs_->messages[0].severity), severity);
    }
    QVERIFY(window_->document().model() == before);
    QVERIFY(!window_->document().modified());
}

QTEST_MAIN(TestOutputMenu)
#include "tst_outputmenu.moc"
