// `cmake --install` into a prefix of the test's own: every file in its place, the
// desktop files valid by the desktop's own tools, and the installed programs finding
// their files relative to themselves.

#include "installedfiles.h"
#include "programrun.h"

#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A key of the [Desktop Entry] group, as the desktop reads it.
QString desktopValue(const QString& path, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inEntry = false;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}

} // namespace

class TestInstallTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void everyFileInPlace();
    void installedProgramsFindTheirFiles();
    void desktopEntries_data();
    void desktopEntries();
    void metainfoValidates();
    void manPagesRender_data();
    void manPagesRender();
    void iconsRendered_data();
    void iconsRendered();
    void projectFilesRecognised();

private:
    QString prefixed(const QString& relative) const { return dir_.filePath("prefix/" + relative); }

    QTemporaryDir dir_;
    QString prefix_;
};

void TestInstallTree::initTestCase()
{
    prefix_ = dir_.filePath("prefix");
    const ProgramRun install =
        RunProgram(QStringLiteral(CMAKE_COMMAND_PATH), {"--install", QStringLiteral(BUILD_DIR), "--prefix", prefix_});
    QVERIFY2(install.exitCode == 0, qPrintable(install.err + QString::fromLocal8Bit(install.out)));
}

void TestInstallTree::everyFileInPlace()
{
    QCOMPARE(FilesUnder(prefix_), ExpectedInstalledFiles(prefixed("share/bemsol/manual/index.html")));
    for (const char* program : {"bemsol", "bemsol-cli", "dravel", "dravel-cli"})
        QVERIFY(QFileInfo(prefixed(QStringLiteral("bin/") + program)).isExecutable());
}

void TestInstallTree::installedProgramsFindTheirFiles()
{
    const QString home = dir_.filePath("home");
    const QProcessEnvironment env = EnvironmentWithHome(home);
    const QString cli = prefixed("bin/bemsol-cli");
    const QString sample = prefixed("share/bemsol/examples/sample-survey.xml");
    const QStringList before = FilesUnder(prefix_);

    // The check workbook's template is the installed sample, found beside bin/.
    const QString workbook = dir_.filePath("out/list.xlsx");
    QVERIFY(QDir().mkpath(dir_.filePath("out")));
    ProgramRun run = RunProgram(cli, {"baseline-list", sample, workbook}, env);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QFile book(workbook);
    QVERIFY(book.open(QIODevice::ReadOnly));
    QCOMPARE(book.read(2), QByteArray("PK"));

    // A name table of the user's own wins over the installed one, which converts nothing.
    auto sessionsAfterSave = [&] {
        const QString project = dir_.filePath("out/survey.dat");
        const ProgramRun save = RunProgram(cli, {"save", sample, project}, env);
        if (save.exitCode != 0)
            return save.err;
        return QString::fromUtf8(RunProgram(cli, {"dump", project}, env).out);
    };
    QVERIFY(sessionsAfterSave().contains(QStringLiteral("\"session\":\"A\"")));
    QVERIFY(QDir().mkpath(UserDataFolder(home)));
    QFile table(UserDataFolder(home) + "/ChangeName.ini");
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("SS,A,OWN\r\n");
    table.close();
    const QString converted = sessionsAfterSave();
    QVERIFY2(converted.contains(QStringLiteral("\"session\":\"OWN\"")), qPrintable(converted.left(400)));
    QVERIFY(!converted.contains(QStringLiteral("\"session\":\"A\"")));

    // Nothing was written into the installation.
    QCOMPARE(FilesUnder(prefix_), before);
}

void TestInstallTree::desktopEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("program");
    QTest::newRow("bemsol") << "bemsol.desktop" << "bemsol";
    QTest::newRow("dravel") << "dravel.desktop" << "dravel";
}

void TestInstallTree::desktopEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, program);
    const QString path = prefixed("share/applications/" + entry);
    const ProgramRun validate = RunProgram("desktop-file-validate", {path});
    QVERIFY2(validate.exitCode == 0 && validate.out.isEmpty(),
             qPrintable(validate.err + QString::fromUtf8(validate.out)));

    // The launcher starts the installed program, shows an installed icon and has a
    // Japanese name.
    QCOMPARE(desktopValue(path, "Exec").section(u' ', 0, 0), program);
    QVERIFY(QFileInfo(prefixed("bin/" + program)).isExecutable());
    const QString icon = desktopValue(path, "Icon");
    QVERIFY(QFile::exists(prefixed("share/icons/hicolor/scalable/apps/" + icon + ".svg")));
    QVERIFY(QFile::exists(prefixed("share/icons/hicolor/48x48/apps/" + icon + ".png")));
    QVERIFY(!desktopValue(path, "Name[ja]").isEmpty());
}

void TestInstallTree::metainfoValidates()
{
    const QStringList files{prefixed("share/metainfo/bemsol.metainfo.xml"),
                            prefixed("share/metainfo/dravel.metainfo.xml")};
    const ProgramRun validate = RunProgram("appstreamcli", QStringList{"validate", "--no-net"} + files);
    // The one finding allowed: the ids are the programs' names rather than a reversed
    // domain, as the project has no domain of its own.
    QStringList findings;
    for (const QString& line : QString::fromUtf8(validate.out + validate.err.toUtf8()).split(u'\n')) {
        const QString finding = line.trimmed();
        if ((finding.startsWith("E:") || finding.startsWith("W:") || finding.startsWith("I:")) &&
            !finding.contains("cid-desktopapp-is-not-rdns"))
            findings << finding;
    }
    QVERIFY2(findings.isEmpty(), qPrintable(findings.join(u'\n')));
    QVERIFY(validate.exitCode == 0 || validate.exitCode == 3); // 3: warnings only
    for (const QString& file : files) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray xml = f.readAll();
        QVERIFY2(!xml.contains('@'), "a placeholder was left in the metainfo");
    }
}

void TestInstallTree::manPagesRender_data()
{
    QTest::addColumn<QString>("page");
    for (const char* page : {"bemsol", "bemsol-cli", "dravel", "dravel-cli"})
        QTest::newRow(page) << QString::fromLatin1(page);
}

void TestInstallTree::manPagesRender()
{
    QFETCH(QString, page);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("MANWIDTH", "80");
    env.insert("MANROFFSEQ", "");
    const ProgramRun man = RunProgram(
        "man", {"--warnings", "-E", "UTF-8", "-l", "-Tutf8", prefixed("share/man/man1/" + page + ".1.gz")}, env);
    // groff's warnings (bad macros, lines too long to break) are what lintian reports.
    QVERIFY2(man.exitCode == 0 && man.err.isEmpty(), qPrintable(man.err));
    const QString text = QString::fromUtf8(man.out).remove(QRegularExpression("\x1b\\[[0-9;]*m|.\b"));
    QVERIFY2(text.contains("NAME") && text.contains("SYNOPSIS") && text.contains(page), qPrintable(text.left(300)));
    QVERIFY2(text.contains("Bemsol " PROJECT_VERSION), qPrintable(text.right(200)));
}

void TestInstallTree::iconsRendered_data()
{
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("size");
    for (const QString& icon : {QStringLiteral("bemsol"), QStringLiteral("dravel")})
        for (int size : {16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(icon).arg(size))) << icon << size;
}

void TestInstallTree::iconsRendered()
{
    QFETCH(QString, icon);
    QFETCH(int, size);
    const QImage image(prefixed(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon)));
    QCOMPARE(image.size(), QSize(size, size));
    // Drawn: the rounded square fills the middle and leaves the corners clear.
    QCOMPARE(image.pixelColor(size / 2, size / 8).alpha(), 255);
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(size - 1, size - 1).alpha(), 0);
}

void TestInstallTree::projectFilesRecognised()
{
    // The desktop's file-type database built from the installed definition alone.
    const QString mimeRoot = dir_.filePath("xdg");
    QVERIFY(QDir().mkpath(mimeRoot + "/mime/packages"));
    QVERIFY(QFile::copy(prefixed("share/mime/packages/bemsol.xml"), mimeRoot + "/mime/packages/bemsol.xml"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_DIRS", mimeRoot + ":/usr/share");
    // Quiet but for a definition it cannot use.
    const ProgramRun update = RunProgram("update-mime-database", {mimeRoot + "/mime"}, env);
    QVERIFY2(update.exitCode == 0 && update.err.isEmpty(), qPrintable(update.err));

    const QString project = dir_.filePath("files/survey.dat");
    QVERIFY(QDir().mkpath(dir_.filePath("files")));
    const ProgramRun save = RunProgram(prefixed("bin/bemsol-cli"),
                                       {"save", prefixed("share/bemsol/examples/sample-survey.xml"), project},
                                       EnvironmentWithHome(dir_.filePath("home")));
    QVERIFY2(save.exitCode == 0, qPrintable(save.err));
    QFile other(dir_.filePath("files/other.dat"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write(QByteArray(64, '\x01'));
    other.close();

    qputenv("XDG_DATA_DIRS", env.value("XDG_DATA_DIRS").toLocal8Bit());
    const QMimeDatabase db;
    QCOMPARE(db.mimeTypeForFile(project).name(), QStringLiteral("application/x-bemsol-project"));
    QVERIFY(db.mimeTypeForFile(dir_.filePath("files/other.dat")).name() != QStringLiteral("application/x-bemsol-project"));
    // Every type the launcher offers to open is defined.
    const QStringList offered =
        desktopValue(prefixed("share/applications/bemsol.desktop"), "MimeType").split(u';', Qt::SkipEmptyParts);
    QCOMPARE(offered.size(), 2);
    for (const QString& type : offered)
        QVERIFY2(db.mimeTypeForName(type).isValid(), qPrintable(type));
}

QTEST_MAIN(TestInstallTree)
#include "tst_installtree.moc"
