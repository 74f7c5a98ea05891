// The Debian package made by CPack (the package_deb fixture): its control fields, its
// files, and its programs run from a root it was unpacked into with dpkg -x, against
// the same commands run by this build's programs.

#include "installedfiles.h"
#include "programrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString packageDir = QStringLiteral(BUILD_DIR "/test-package");

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// "Pages: N" of pdfinfo.
int pageCount(const QString& pdf)
{
    const ProgramRun info = RunProgram("pdfinfo", {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(QString::fromUtf8(info.out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

class TestDebPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void controlFields();
    void sameFilesAsAnInstall();
    void unpackedProgramsRun_data();
    void unpackedProgramsRun();

private:
    QString field(const QString& name) const;

    QTemporaryDir dir_;
    QString deb_;
    QString root_;
};

void TestDebPackage::initTestCase()
{
    const QStringList debs = QDir(packageDir).entryList({"*.deb"}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    deb_ = QDir(packageDir).filePath(debs.first());
    root_ = dir_.filePath("root");
    const ProgramRun unpack = RunProgram("dpkg-deb", {"-x", deb_, root_});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.err));
}

QString TestDebPackage::field(const QString& name) const
{
    return QString::fromUtf8(RunProgram("dpkg-deb", {"-f", deb_, name}).out).trimmed();
}

void TestDebPackage::controlFields()
{
    QCOMPARE(field("Package"), QStringLiteral("bemsol"));
    QCOMPARE(field("Version"), QStringLiteral(PROJECT_VERSION));
    QCOMPARE(field("Section"), QStringLiteral("science"));
    QCOMPARE(field("Architecture"),
             QString::fromUtf8(RunProgram("dpkg", {"--print-architecture"}).out).trimmed());
    QVERIFY(field("Maintainer").contains(u'@'));
    QVERIFY(field("Description").startsWith("field book, record and check workbooks"));

    // The libraries come from the programs themselves (dpkg-shlibdeps), the fonts they
    // load at run time are named by hand.
    const QStringList depends = field("Depends").split(QRegularExpression(",\\s*"));
    for (const char* needed : {"libqt6core6", "libqt6widgets6", "libqt6printsupport6", "libquazip1-qt6-1",
                               "libsqlite3-0", "fonts-ipafont-gothic"}) {
        const bool listed = std::any_of(depends.begin(), depends.end(), [&](const QString& d) {
            return d.startsWith(QLatin1String(needed) + u' ') || d == QLatin1String(needed);
        });
        QVERIFY2(listed, qPrintable(QStringLiteral("%1 not in %2").arg(needed, depends.join(", "))));
    }

    // Nothing runs at install or removal.
    const QString control = dir_.filePath("control");
    QVERIFY(RunProgram("dpkg-deb", {"-e", deb_, control}).exitCode == 0);
    for (const char* script : {"preinst", "postinst", "prerm", "postrm"})
        QVERIFY2(!QFile::exists(control + u'/' + QLatin1String(script)), script);
}

void TestDebPackage::sameFilesAsAnInstall()
{
    QStringList files;
    for (const QString& f : FilesUnder(root_)) {
        QVERIFY2(f.startsWith("usr/"), qPrintable(f));
        files << f.mid(4);
    }
    QCOMPARE(files, ExpectedInstalledFiles(root_ + "/usr/share/bemsol/manual/index.html"));
}

void TestDebPackage::unpackedProgramsRun_data()
{
    // How the two runs' results are compared: "pdf" by the page count, "bytes" byte for
    // byte, "xlsx" by the zip signature and the size (the zip holds times), "stdout" by
    // what was printed.
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments"); // EXAMPLES/ and OUT/ replaced per run
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("compare");

    const QString sample = QStringLiteral("EXAMPLES/sample-survey.xml");
    QTest::newRow("field book") << "bemsol-cli" << QStringList{"fieldbook", sample, "OUT/fb.pdf", "--by-session"}
                                << "OUT/fb.pdf" << "pdf";
    QTest::newRow("record") << "bemsol-cli" << QStringList{"record", sample, "OUT/record.pdf", "--off", "2,3"}
                            << "OUT/record.pdf" << "pdf";
    QTest::newRow("project") << "bemsol-cli" << QStringList{"save", sample, "OUT/survey.dat"} << "OUT/survey.dat"
                             << "bytes";
    QTest::newRow("dump") << "bemsol-cli" << QStringList{"dump", sample} << "" << "stdout";
    QTest::newRow("baseline list") << "bemsol-cli" << QStringList{"baseline-list", sample, "OUT/list.xlsx"}
                                   << "OUT/list.xlsx" << "xlsx";
    QTest::newRow("numeric data") << "dravel-cli"
                                  << QStringList{"EXAMPLES/results-report/report.htm", "OUT/seika.txt", "--zone", "9"}
                                  << "OUT/seika.txt" << "bytes";
}

void TestDebPackage::unpackedProgramsRun()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(QString, compare);

    // The same command twice: by the unpacked program on its installed examples, and by
    // this build's program on the source's.
    struct Result
    {
        ProgramRun run;
        QByteArray written;
        QString path;
    };
    auto runAs = [&](const QString& binDir, const QString& examples, const QString& tag) {
        const QString out = dir_.filePath(tag);
        QDir().mkpath(out);
        QStringList args = arguments;
        for (QString& a : args)
            a.replace("EXAMPLES", examples).replace("OUT", out);
        Result r;
        r.run = RunProgram(binDir + u'/' + program, args, EnvironmentWithHome(dir_.filePath(tag + "-home")));
        r.path = QString(output).replace("OUT", out);
        if (!output.isEmpty())
            r.written = readAll(r.path);
        return r;
    };
    const Result unpacked = runAs(root_ + "/usr/bin", root_ + "/usr/share/bemsol/examples", "unpacked");
    const Result built = runAs(QStringLiteral(BIN_DIR), QStringLiteral(SOURCE_DIR "/examples"), "built");

    QVERIFY2(unpacked.run.exitCode == 0, qPrintable(unpacked.run.err));
    QVERIFY2(built.run.exitCode == 0, qPrintable(built.run.err));
    QCOMPARE(unpacked.run.err, built.run.err);
    if (compare == "pdf") {
        QVERIFY(unpacked.written.startsWith("%PDF"));
        QVERIFY(pageCount(unpacked.path) > 0);
        QCOMPARE(pageCount(unpacked.path), pageCount(built.path));
    } else if (compare == "bytes") {
        QVERIFY(!unpacked.written.isEmpty());
        QCOMPARE(unpacked.written, built.written);
    } else if (compare == "stdout") {
        QVERIFY(unpacked.run.out.startsWith("{"));
        QCOMPARE(unpacked.run.out, built.run.out);
    } else {
        QVERIFY(unpacked.written.startsWith("PK"));
        QCOMPARE(unpacked.written.size(), built.written.size());
    }
}

QTEST_MAIN(TestDebPackage)
#include "tst_debpackage.moc"
