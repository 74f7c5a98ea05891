#include "model/filelocations.h"
#include "outputs/templatefiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Place = FileLocations::Place;

// A prefix as installed: PREFIX/bin for the program, PREFIX/share/bemsol for the
// defaults, and a user's data folder beside it.
struct Tree
{
    QTemporaryDir root;

    QString path(const QString& relative) const { return root.filePath(relative); }

    void file(const QString& relative, const QByteArray& bytes = "x") const
    {
        QVERIFY(QDir().mkpath(QFileInfo(path(relative)).absolutePath()));
        QFile f(path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void folder(const QString& relative) const { QVERIFY(QDir().mkpath(path(relative))); }

    FileLocations installed() const
    {
        folder("opt/survey/bin");
        folder("opt/survey/share/bemsol");
        folder("home/Bemsol");
        return FileLocations(path("opt/survey/bin"), path("home/Bemsol"));
    }
};

} // namespace

class TestFileLocations : public QObject
{
    Q_OBJECT

private slots:
    void installedFolderBesideBin_data();
    void installedFolderBesideBin();
    void readOrder_data();
    void readOrder();
    void templateFolderBeforeName();
    void writablePath_data();
    void writablePath();
    void searchedFoldersNamed();
};

void TestFileLocations::installedFolderBesideBin_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("installed"); // empty: a portable folder

    const QStringList prefix{"opt/survey/bin", "opt/survey/share/bemsol"};
    QTest::newRow("relocated prefix") << "opt/survey/bin" << prefix << QStringList{} << "opt/survey/share/bemsol";
    QTest::newRow("trailing slash") << "opt/survey/bin/" << prefix << QStringList{} << "opt/survey/share/bemsol";
    QTest::newRow("portable folder") << "Bemsol" << QStringList{"Bemsol"} << QStringList{} << "";
    // A share/bemsol that is a file is no installation.
    QTest::newRow("share is a file") << "p/bin" << QStringList{"p/bin"} << QStringList{"p/share/bemsol"} << "";
}

void TestFileLocations::installedFolderBesideBin()
{
    QFETCH(QString, program);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, installed);
    Tree tree;
    for (const QString& f : folders)
        tree.folder(f);
    for (const QString& f : files)
        tree.file(f);
    const FileLocations locations(tree.path(program), tree.path("home/Bemsol"));
    QCOMPARE(locations.installedDir(), installed.isEmpty() ? QString() : tree.path(installed));
    // Only a portable folder is written: an installed bin/ is shared, whoever runs it.
    QCOMPARE(locations.programDirWritable(), installed.isEmpty());
}

void TestFileLocations::readOrder_data()
{
    QTest::addColumn<QStringList>("holders"); // folders holding ChangeName.ini
    QTest::addColumn<int>("place");           // -1: found nowhere

    QTest::newRow("all three") << QStringList{"bin", "home", "share"} << int(Place::BesideProgram);
    QTest::newRow("user and installed") << QStringList{"home", "share"} << int(Place::UserData);
    QTest::newRow("installed only") << QStringList{"share"} << int(Place::Installed);
    QTest::newRow("beside and installed") << QStringList{"bin", "share"} << int(Place::BesideProgram);
    QTest::newRow("nowhere") << QStringList{} << -1;
}

void TestFileLocations::readOrder()
{
    QFETCH(QStringList, holders);
    QFETCH(int, place);
    Tree tree;
    const FileLocations files = tree.installed();
    const QMap<QString, QString> folderOf{{"bin", "opt/survey/bin"},
                                          {"home", "home/Bemsol"},
                                          {"share", "opt/survey/share/bemsol"}};
    for (const QString& h : holders)
        tree.file(folderOf[h] + "/ChangeName.ini", h.toUtf8());
    // A folder of the same name is not the file.
    if (!holders.contains("bin"))
        tree.folder("opt/survey/bin/ChangeName.ini");

    const auto found = files.find("ChangeName.ini");
    QCOMPARE(found.has_value(), place >= 0);
    if (!found)
        return;
    QCOMPARE(int(found->place), place);
    QFile f(found->path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), holders.first());
}

void TestFileLocations::templateFolderBeforeName()
{
    Tree tree;
    const FileLocations files = tree.installed();
    tree.file("opt/survey/share/bemsol/kisenkakusa.xls");
    tree.file("opt/survey/share/bemsol/kisenkakusa.xlsx");
    QCOMPARE(FindTemplate(files, "kisenkakusa.xls"), tree.path("opt/survey/share/bemsol/kisenkakusa.xls"));

    // The organisation's own template in the user's folder wins over the installed
    // sample, even under the newer name.
    tree.file("home/Bemsol/kisenkakusa.xlsx");
    QCOMPARE(FindTemplate(files, "kisenkakusa.xls"), tree.path("home/Bemsol/kisenkakusa.xlsx"));
    tree.file("opt/survey/bin/kisenkakusa.xls");
    QCOMPARE(FindTemplate(files, "kisenkakusa.xls"), tree.path("opt/survey/bin/kisenkakusa.xls"));

    QVERIFY(!FindTemplate(files, "seidokanri.doc"));
    const QString message = MissingTemplateMessage(files, "seidokanri.doc");
    QVERIFY2(message.contains("seidokanri.doc") && message.contains("seidokanri.docx"), qPrintable(message));
    QVERIFY2(message.contains(tree.path("opt/survey/share/bemsol")), qPrintable(message));
}

void TestFileLocations::writablePath_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("expected");

    QTest::newRow("portable") << "portable" << "home/Bemsol" << "portable/BMSData.db";
    QTest::newRow("installed") << "installed" << "home/Bemsol" << "home/Bemsol/BMSData.db";
    QTest::newRow("program folder missing") << "missing" << "home/Bemsol" << "home/Bemsol/BMSData.db";
    // With nowhere else to go the program's folder is named, so the failure says where.
    QTest::newRow("installed, no user folder") << "installed" << "" << "opt/survey/bin/BMSData.db";
}

void TestFileLocations::writablePath()
{
    QFETCH(QString, layout);
    QFETCH(QString, user);
    QFETCH(QString, expected);
    Tree tree;
    QString program;
    if (layout == "portable") {
        tree.folder("portable");
        program = tree.path("portable");
    } else if (layout == "installed") {
        tree.installed();
        program = tree.path("opt/survey/bin");
    } else {
        program = tree.path("missing");
    }
    const FileLocations files(program, user.isEmpty() ? QString() : tree.path(user));
    QCOMPARE(files.writablePath("BMSData.db"), tree.path(expected));
    // Nothing is ever written to the installed share folder.
    QVERIFY(!files.writablePath("BMSData.db").contains("/share/bemsol"));
}

void TestFileLocations::searchedFoldersNamed()
{
    Tree tree;
    const FileLocations files = tree.installed();
    const QStringList lines = SearchedFoldersText(files).split(u'\n');
    QCOMPARE(lines, (QStringList{"探した場所:", tree.path("opt/survey/bin"), tree.path("home/Bemsol"),
                                 tree.path("opt/survey/share/bemsol")}));
}

QTEST_MAIN(TestFileLocations)
#include "tst_filelocations.moc"
