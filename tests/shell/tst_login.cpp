#include "fakeuserdialogs.h"
#include "model/textcodec.h"
#include "shell/logindialog.h"
#include "shell/loginfile.h"
#include "shell/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSysInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray sjis(const QString& text)
{
    return *EncodeShiftJis(text);
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private slots:
    void parsesLoginFile_data();
    void parsesLoginFile();
    void firstRunRegisters();
    void registrationRefusesBadValues_data();
    void registrationRefusesBadValues();
    void registrationFallsBackToUserFolder();
    void loginFileChosen_data();
    void loginFileChosen();
    void registrationOverwritesInvalidFileBeside_data();
    void registrationOverwritesInvalidFileBeside();
    void registrationThatCannotWriteStaysOpen();
    void loginChecksThePassword();
    void cancelEndsWithoutLogin();
    void secondCopyIsRefused();
    void crashedCopyDoesNotBlock();
};

void TestLogin::parsesLoginFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");

    QTest::newRow("as written") << sjis("\"Bemsol Making Syubo And Kibo\"\r\n\"山田\"\r\n\"pw\"\r\n")
                                << true << "山田" << "pw";
    QTest::newRow("no final line end") << QByteArray("\"Bemsol Making Syubo And Kibo\"\r\n\"u\"\r\n\"p\"")
                                       << true << "u" << "p";
    QTest::newRow("empty password") << QByteArray("\"Bemsol Making Syubo And Kibo\"\r\n\"u\"\r\n\"\"\r\n")
                                    << true << "u" << "";
    QTest::newRow("other header") << QByteArray("\"Bemsol making Syubo And Kibo\"\r\n\"u\"\r\n\"p\"\r\n")
                                  << false << "" << "";
    QTest::newRow("password missing") << QByteArray("\"Bemsol Making Syubo And Kibo\"\r\n\"u\"\r\n")
                                      << false << "" << "";
    QTest::newRow("empty file") << QByteArray() << false << "" << "";
}

void TestLogin::parsesLoginFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(QString, user);
    QFETCH(QString, password);
    const std::optional<LoginRecord> record = ParseLoginFile(bytes);
    QCOMPARE(record.has_value(), valid);
    if (valid) {
        QCOMPARE(record->userName, user);
        QCOMPARE(record->password, password);
    }
}

void TestLogin::firstRunRegisters()
{
    QTemporaryDir program, user;
    // A file that is not ours counts as absent and is overwritten.
    writeAll(program.filePath("prtct.dat"), "something else\r\n");
    FakeUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations(program.path(), user.path())), dialogs);
    login.show();

    QVERIFY(login.firstRun());
    QVERIFY(login.userNameBox()->isEnabled());
    QVERIFY(login.userNameBox()->text().isEmpty());
    QCOMPARE(login.windowTitle(), QStringLiteral("ﾛｸﾞｵﾝ"));

    login.userNameBox()->setText(QStringLiteral("測量 太郎"));
    QTest::mouseClick(login.okButton(), Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].message, QStringLiteral("ﾊﾟｽﾜｰﾄﾞを入力してください"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("ﾛｸﾞｵﾝ"));
    QVERIFY(login.isVisible());

    QTest::keyClicks(login.passwordBox(), QStringLiteral("Secret1"));
    QTest::keyClick(login.passwordBox(), Qt::Key_Return); // OK is the default button
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(login.result(), int(QDialog::Accepted));
    QVERIFY(login.loginSucceeded());
    QVERIFY(!login.isVisible());
    QCOMPARE(login.userName(), QStringLiteral("測量 太郎"));
    QCOMPARE(readAll(program.filePath("prtct.dat")),
             sjis("\"Bemsol Making Syubo And Kibo\"\r\n\"測量 太郎\"\r\n\"Secret1\"\r\n"));
    QVERIFY(!QFile::exists(user.filePath("prtct.dat")));
}

void TestLogin::registrationRefusesBadValues_data()
{
    QTest::addColumn<QString>("userName");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focused");

    QTest::newRow("empty user name") << "" << "pw" << "ﾕｰｻﾞｰ名を入力してください" << "txtUserName";
    QTest::newRow("quote in user name") << "a\"b" << "pw" << "ﾕｰｻﾞｰ名とﾊﾟｽﾜｰﾄﾞに \" は使えません"
                                        << "txtUserName";
    QTest::newRow("quote in password") << "a" << "p\"w" << "ﾕｰｻﾞｰ名とﾊﾟｽﾜｰﾄﾞに \" は使えません"
                                       << "txtPassword";
    QTest::newRow("no Shift-JIS code") << "a" << "p😀" << "" << "txtPassword";
}

void TestLogin::registrationRefusesBadValues()
{
    QFETCH(QString, userName);
    QFETCH(QString, password);
    QFETCH(QString, message);
    QFETCH(QString, focused);
    QTemporaryDir program, user;
    FakeUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations(program.path(), user.path())), dialogs);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    login.userNameBox()->setText(userName);
    login.passwordBox()->setText(password);
    QTest::mouseClick(login.okButton(), Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    if (!message.isEmpty())
        QCOMPARE(dialogs.messages[0].message, message);
    QVERIFY(login.isVisible());
    QVERIFY(!login.loginSucceeded());
    QCOMPARE(QApplication::focusWidget()->objectName(), focused);
    auto* box = login.findChild<QLineEdit*>(focused);
    QCOMPARE(box->selectedText(), box->text());
    QVERIFY(!QFile::exists(program.filePath("prtct.dat")));
}

void TestLogin::registrationFallsBackToUserFolder()
{
    QTemporaryDir root;
    // A plain file where the program's folder should be: nothing can be written there.
    writeAll(root.filePath("program"), "x");
    const QString userDir = root.filePath("user/Bemsol");
    FakeUserDialogs dialogs;
    {
        LoginDialog login(LoginFileStore(FileLocations(root.filePath("program"), userDir)), dialogs);
        login.userNameBox()->setText("u");
        login.passwordBox()->setText("p");
        QTest::mouseClick(login.okButton(), Qt::LeftButton);
        QVERIFY(login.loginSucceeded());
    }
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(QFile::exists(userDir + "/prtct.dat"));

    // The next start finds the registration there.
    LoginDialog again(LoginFileStore(FileLocations(root.filePath("program"), userDir)), dialogs);
    QVERIFY(!again.firstRun());
    QCOMPARE(again.userNameBox()->text(), QStringLiteral("u"));
}

namespace {

const QByteArray loginOfYamada = "\"Bemsol Making Syubo And Kibo\"\r\n\"yamada\"\r\n\"pw\"\r\n";
const QByteArray loginOfSuzuki = "\"Bemsol Making Syubo And Kibo\"\r\n\"suzuki\"\r\n\"pw\"\r\n";
const QByteArray notALoginFile = "registered elsewhere\r\n";

// A program folder, plain (a portable copy) or as an installed bin/ beside
// share/bemsol, and a user's data folder, each with the login file given (none when
// empty).
struct LoginFolders
{
    QTemporaryDir root;
    QString program;
    QString user;

    LoginFolders(bool installed, const QByteArray& beside, const QByteArray& own)
        : program(root.filePath(installed ? "usr/bin" : "portable")), user(root.filePath("home/Bemsol"))
    {
        QDir().mkpath(program);
        QDir().mkpath(user);
        if (installed)
            QDir().mkpath(root.filePath("usr/share/bemsol"));
        if (!beside.isEmpty())
            writeAll(program + "/prtct.dat", beside);
        if (!own.isEmpty())
            writeAll(user + "/prtct.dat", own);
    }

    LoginFileStore store() const { return LoginFileStore(FileLocations(program, user)); }
};

} // namespace

void TestLogin::loginFileChosen_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QByteArray>("beside");
    QTest::addColumn<QByteArray>("own");
    QTest::addColumn<QString>("registeredUser"); // empty: a first run

    QTest::newRow("valid beside") << false << loginOfYamada << loginOfSuzuki << "yamada";
    QTest::newRow("invalid beside, valid own") << false << notALoginFile << loginOfSuzuki << "";
    QTest::newRow("none beside, valid own") << false << QByteArray() << loginOfSuzuki << "";
    QTest::newRow("installed, valid beside") << true << loginOfYamada << loginOfSuzuki << "yamada";
    QTest::newRow("installed, invalid beside") << true << notALoginFile << loginOfSuzuki << "suzuki";
    QTest::newRow("installed, none beside") << true << QByteArray() << loginOfSuzuki << "suzuki";
    QTest::newRow("installed, nothing") << true << QByteArray() << QByteArray() << "";
}

void TestLogin::loginFileChosen()
{
    QFETCH(bool, installed);
    QFETCH(QByteArray, beside);
    QFETCH(QByteArray, own);
    QFETCH(QString, registeredUser);
    const LoginFolders folders(installed, beside, own);
    FakeUserDialogs dialogs;
    LoginDialog login(folders.store(), dialogs);
    QCOMPARE(login.firstRun(), registeredUser.isEmpty());
    QCOMPARE(login.userNameBox()->text(), registeredUser);
}

void TestLogin::registrationOverwritesInvalidFileBeside_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("written");
    QTest::newRow("portable") << false << "program";
    QTest::newRow("installed") << true << "user";
}

void TestLogin::registrationOverwritesInvalidFileBeside()
{
    QFETCH(bool, installed);
    QFETCH(QString, written);
    const QByteArray ownBefore = installed ? QByteArray() : loginOfSuzuki;
    const LoginFolders folders(installed, notALoginFile, ownBefore);
    FakeUserDialogs dialogs;
    {
        LoginDialog login(folders.store(), dialogs);
        QVERIFY(login.firstRun());
        login.userNameBox()->setText("tanaka");
        login.passwordBox()->setText("new");
        QTest::mouseClick(login.okButton(), Qt::LeftButton);
        QVERIFY(login.loginSucceeded());
    }
    QVERIFY(dialogs.messages.isEmpty());
    const QByteArray registered = "\"Bemsol Making Syubo And Kibo\"\r\n\"tanaka\"\r\n\"new\"\r\n";
    const QString other = written == "program" ? folders.user : folders.program;
    QCOMPARE(readAll((written == "program" ? folders.program : folders.user) + "/prtct.dat"), registered);
    // The other folder's file is left as it was: an installed bin/ is never written.
    QCOMPARE(readAll(other + "/prtct.dat"), written == "program" ? ownBefore : notALoginFile);

    // The next start asks for the new password.
    LoginDialog again(folders.store(), dialogs);
    QVERIFY(!again.firstRun());
    QCOMPARE(again.userNameBox()->text(), QStringLiteral("tanaka"));
}

void TestLogin::registrationThatCannotWriteStaysOpen()
{
    QTemporaryDir root;
    writeAll(root.filePath("program"), "x");
    writeAll(root.filePath("user"), "x");
    FakeUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations(root.filePath("program"), root.filePath("user"))), dialogs);
    login.show();
    login.userNameBox()->setText("u");
    login.passwordBox()->setText("p");
    QTest::mouseClick(login.okButton(), Qt::LeftButton);

    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].message.contains("prtct.dat"));
    QVERIFY(login.isVisible());
    QVERIFY(!login.loginSucceeded());
}

void TestLogin::loginChecksThePassword()
{
    QTemporaryDir program, user;
    writeAll(program.filePath("prtct.dat"),
             sjis("\"Bemsol Making Syubo And Kibo\"\r\n\"山田\"\r\n\"Pass\"\r\n"));
    FakeUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations(program.path(), user.path())), dialogs);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));

    QVERIFY(!login.firstRun());
    QCOMPARE(login.userNameBox()->text(), QStringLiteral("山田"));
    QVERIFY(!login.userNameBox()->isEnabled());

    const QString wrong = QStringLiteral("ﾊﾟｽﾜｰﾄﾞが正しくありません。もう一度入力してください !");
    // An empty password is simply a wrong one; the comparison is case-sensitive.
    for (const QString& attempt : {QString(), QStringLiteral("pass")}) {
        login.passwordBox()->setText(attempt);
        QTest::mouseClick(login.okButton(), Qt::LeftButton);
        QCOMPARE(dialogs.messages.last().message, wrong);
        QCOMPARE(dialogs.messages.last().title, QStringLiteral("ﾛｸﾞｵﾝ"));
        QVERIFY(login.isVisible());
        QCOMPARE(QApplication::focusWidget(), login.passwordBox());
        QCOMPARE(login.passwordBox()->selectedText(), attempt);
    }

    login.passwordBox()->setText("Pass");
    QTest::mouseClick(login.okButton(), Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 2);
    QVERIFY(login.loginSucceeded());
    QCOMPARE(login.result(), int(QDialog::Accepted));
    // Logging in leaves the file as it was.
    QCOMPARE(readAll(program.filePath("prtct.dat")),
             sjis("\"Bemsol Making Syubo And Kibo\"\r\n\"山田\"\r\n\"Pass\"\r\n"));
}

void TestLogin::cancelEndsWithoutLogin()
{
    QTemporaryDir program, user;
    FakeUserDialogs dialogs;
    LoginDialog login(LoginFileStore(FileLocations(program.path(), user.path())), dialogs);
    login.show();
    QVERIFY(QTest::qWaitForWindowActive(&login));
    login.userNameBox()->setText("u");
    login.passwordBox()->setText("p");
    QTest::keyClick(&login, Qt::Key_Escape);
    QCOMPARE(login.result(), int(QDialog::Rejected));
    QVERIFY(!login.loginSucceeded());
    QVERIFY(!QFile::exists(program.filePath("prtct.dat")));
}

void TestLogin::secondCopyIsRefused()
{
    QTemporaryDir dir;
    const QString lock = dir.filePath("bemsol.lock");
    {
        SingleInstance first(lock);
        QVERIFY(first.acquire());
        SingleInstance second(lock);
        QVERIFY(!second.acquire());
    }
    // The first copy ended; the next start runs.
    SingleInstance third(lock);
    QVERIFY(third.acquire());
}

void TestLogin::crashedCopyDoesNotBlock()
{
    QTemporaryDir dir;
    const QString lock = dir.filePath("bemsol.lock");
    // The lock a crashed copy left: its process no longer exists.
    writeAll(lock, "2147483646\nbemsol\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    SingleInstance next(lock);
    QVERIFY(next.acquire());
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
