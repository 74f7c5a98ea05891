// Nothing is lost when a file is refused. Every reader of outside files is given each
// kind of input it must refuse (empty, cut short, binary, of another version or program,
// too long, not encodable) through each way in: the window's open, import and project
// commands on the Document, bemsol-cli save and dump (and its name table), dravel-cli.
// Afterwards the open project, its file name, its flags and every file on disk are as
// they were, and the refusal says why.

#include "clirunner.h"
#include "document/document.h"
#include "import/exchangeimport.h"
#include "project/projectfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray sampleExchange()
{
    return readFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"));
}

QByteArray sampleProject()
{
    ProjectModel model;
    QByteArray bytes;
    if (!ReadExchangeFile(QStringLiteral(TEST_DATA_DIR "/small-survey.xml"), model) ||
        !EncodeProjectFile(model, bytes))
        qFatal("sample project");
    return bytes;
}

QByteArray binaryBytes()
{
    QByteArray bytes("\x89PNG\r\n\x1a\n", 8);
    for (int i = 0; i < 4096; ++i)
        bytes += char((i * 7919 + 13) % 256);
    return bytes;
}

// More baselines than a project holds, each as short as the import takes it.
QByteArray tooManyBaselines()
{
    QByteArray bytes = "<JapaneseExchangeFormat Software=\"Trimble Total Control 2.71\">\r\n"
                       "<BaselineList>\r\n";
    for (int i = 0; i <= maxBaselineCount; ++i)
        bytes += "<Baseline>\r\n</Baseline>\r\n";
    return bytes + "</BaselineList>\r\n</JapaneseExchangeFormat>\r\n";
}

QByteArray withFloatAt(QByteArray bytes, qsizetype at, float value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}

QByteArray withVersion(QByteArray bytes, qint16 version)
{
    qToLittleEndian(version, bytes.data() + 30);
    return bytes;
}

// The sample project with a damaged Shift-JIS sequence in its first text: it loads,
// with the damage shown as U+FFFD, which no project file can hold again.
QByteArray projectWithDamagedText()
{
    QByteArray bytes = sampleProject();
    const qsizetype firstText = projectFileHeaderSize;
    const quint16 size = qFromLittleEndian<quint16>(bytes.constData() + firstText);
    if (size == 0)
        qFatal("the sample's first text is empty");
    bytes[firstText + 2] = '\x82';
    bytes[firstText + 2 + (size > 1 ? 1 : 0)] = '\xff';
    return bytes;
}

// One input a reader must refuse: `write` puts it into the folder and returns the path
// to hand over; `message` is a part of what the refusal says.
struct Refusal
{
    const char* reader;
    const char* kind;
    std::function<QString(const QDir&)> write;
    QString message;
    QStringList ways;
};

std::function<QString(const QDir&)> file(const QString& name, const QByteArray& bytes)
{
    return [=](const QDir& dir) {
        writeFile(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
}

// Dravel's example report with its pages changed (`page` empty: all of them).
std::function<QString(const QDir&)> report(const QString& page,
                                           std::function<QByteArray(QByteArray)> change)
{
    return [=](const QDir& dir) {
        const QDir example(QStringLiteral(SOURCE_DIR "/examples/results-report"));
        dir.mkdir(QStringLiteral("report"));
        const QDir folder(dir.filePath(QStringLiteral("report")));
        for (const QString& name : example.entryList(QDir::Files)) {
            QByteArray bytes = readFile(example.filePath(name));
            writeFile(folder.filePath(name), page.isEmpty() || name == page ? change(bytes) : bytes);
        }
        return folder.filePath(QStringLiteral("report.htm"));
    };
}

const QString version = QStringLiteral("ファイルのバージョンが違います");
const QString cut = QStringLiteral("ファイルが途中で終わっています");
const QString projectRefused = QStringLiteral("読込できません");
const QString unencodable = QStringLiteral("シフトJISで表せない文字");
const QString nameTableRefused = QStringLiteral("名前変換表を読み込めません");
const QStringList exchangeWays{"Document::open", "importExchangeFile", "bemsol-cli save",
                               "bemsol-cli dump"};
const QStringList projectWays{"Document::open", "openProjectFile", "bemsol-cli save",
                              "bemsol-cli dump"};
const QStringList nameTableWays{"bemsol-cli save --names"};
const QStringList reportWays{"dravel-cli"};

// The first point of the example report, as its pages hold it.
const QByteArray pointName = QByteArray("\x91\xe5\x8e\xe8\x92\xac") + '1';

QList<Refusal> refusals()
{
    const QByteArray xml = sampleExchange();
    const QByteArray dat = sampleProject();
    return {
        {"exchange file", "empty", file("survey.xml", {}), QStringLiteral("ファイルが空です"), exchangeWays},
        {"exchange file", "cut", file("survey.xml", xml.left(xml.size() / 2)), cut, exchangeWays},
        {"exchange file", "binary", file("survey.xml", binaryBytes()), version, exchangeWays},
        {"exchange file", "other software",
         file("survey.xml", QByteArray(xml).replace("Trimble Total Control", "Other Office 9")),
         version, exchangeWays},
        {"exchange file", "too many baselines", file("survey.xml", tooManyBaselines()),
         QStringLiteral("32767"), exchangeWays},
        // Read as it is; only a project file cannot hold it.
        {"exchange file", "not encodable",
         file("survey.xml", QByteArray(xml).replace("<PtCode>", "<PtCode>caf\xC3\xA9 ")),
         unencodable, {"bemsol-cli save"}},

        {"project file", "empty", file("survey.dat", {}), projectRefused, projectWays},
        {"project file", "cut", file("survey.dat", dat.left(dat.size() * 2 / 3)), projectRefused,
         projectWays},
        {"project file", "cut in the header", file("survey.dat", dat.left(20)), projectRefused,
         projectWays},
        {"project file", "binary", file("survey.dat", binaryBytes()), projectRefused, projectWays},
        {"project file", "version 106", file("survey.dat", withVersion(dat, 106)), projectRefused,
         projectWays},
        {"project file", "too many baselines",
         file("survey.dat", withFloatAt(dat, 36, float(maxBaselineCount + 1))), projectRefused,
         projectWays},
        {"project file", "count beyond the file", file("survey.dat", withFloatAt(dat, 40, 1e9f)),
         projectRefused, projectWays},
        // Loads with the damage shown; only a project file cannot hold it again.
        {"project file", "not encodable", file("survey.dat", projectWithDamagedText()), unencodable,
         {"bemsol-cli save"}},

        {"name table", "binary", file("names.ini", "SS," + binaryBytes()), nameTableRefused,
         nameTableWays},
        {"name table", "saved as UTF-8",
         file("names.ini", QStringLiteral("AN,TRM,アンテナ\r\n").toUtf8()), nameTableRefused,
         nameTableWays},
        {"name table", "line too long", file("names.ini", "SS,1," + QByteArray(70000, 'x') + "\r\n"),
         nameTableRefused, nameTableWays},

        {"results report", "empty", report("report.htm", [](QByteArray) { return QByteArray(); }),
         QStringLiteral("目次ページへのリンク"), reportWays},
        {"results report", "cut",
         report("list001.htm", [](QByteArray page) { return page.left(page.size() / 2); }),
         QStringLiteral("途中で終わっています"), reportWays},
        {"results report", "binary", report("report.htm", [](QByteArray) { return binaryBytes(); }),
         QStringLiteral("目次ページへのリンク"), reportWays},
        {"results report", "another program's page",
         report("report.htm",
                [](QByteArray) { return QByteArray("<html>\r\n<body>hello</body>\r\n</html>\r\n"); }),
         QStringLiteral("目次ページへのリンク"), reportWays},
        {"results report", "line too long",
         report("list001.htm",
                [](QByteArray page) { return page.replace("<tr><td>", "<tr><td>" + QByteArray(2 << 20, ' ')); }),
         QStringLiteral("長すぎる行"), reportWays},
        // A point name that is no Shift-JIS text, the same on every page.
        {"results report", "not encodable",
         report({}, [](QByteArray page) { return page.replace(pointName, "\x82\xff" + pointName); }),
         QStringLiteral("Shift-JIS で書けない文字"), reportWays},
    };
}

// Every file under `dir` with its bytes: a file changed, added or removed shows.
QMap<QString, QByteArray> filesUnder(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

// What the user would lose: the open project with its name and flags, and the files.
struct Snapshot
{
    ProjectModel model;
    QString projectFileName;
    QString caption;
    bool modified = false;
    bool notYetSaved = false;
    QMap<QString, QByteArray> files;

    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const Document& document, const QString& dir)
{
    return {document.model(), document.projectFileName(), document.caption(),
            document.modified(), document.notYetSaved(), filesUnder(dir)};
}

CliRun runProgram(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral(BIN_DIR "/") + program, arguments);
    if (!p.waitForFinished(120000))
        qFatal("%s did not finish", qPrintable(program));
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestRefusals : public QObject
{
    Q_OBJECT

private slots:
    void nothingLost_data();
    void nothingLost();
};

void TestRefusals::nothingLost_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("refusal");
    const QList<Refusal> all = refusals();
    for (int i = 0; i < all.size(); ++i) {
        for (const QString& way : all[i].ways)
            QTest::addRow("%s, %s: %s", all[i].reader, all[i].kind, qPrintable(way)) << way << i;
    }
}

void TestRefusals::nothingLost()
{
    QFETCH(QString, way);
    QFETCH(int, refusal);
    const Refusal r = refusals()[refusal];

    QTemporaryDir temporary;
    const QDir dir(temporary.path());
    const QString input = r.write(dir);
    // The open project: loaded from its file, then changed and not yet saved.
    const QString projectFile = dir.filePath("open.dat");
    writeFile(projectFile, sampleProject());
    Document document;
    QVERIFY(document.openProjectFile(projectFile));
    QCOMPARE(document.ChangeSessionData({1}, QStringLiteral("changed")), 1);
    // What the command lines would overwrite, and a file they read.
    const QString savedProject = dir.filePath("out.dat");
    writeFile(savedProject, QByteArray("the project saved before"));
    const QString numericData = dir.filePath("out.txt");
    writeFile(numericData, QByteArray("the numeric data written before"));
    const QString sample = dir.filePath("sample.xml");
    writeFile(sample, sampleExchange());

    const Snapshot before = snapshot(document, dir.path());
    QString said;
    if (way == u"Document::open" || way == u"importExchangeFile" || way == u"openProjectFile") {
        const Outcome outcome = way == u"Document::open"       ? document.open(input)
                                : way == u"importExchangeFile" ? document.importExchangeFile(input)
                                                               : document.openProjectFile(input);
        QVERIFY(!outcome);
        said = outcome.message;
    } else {
        const CliRun run =
            way == u"dravel-cli"        ? runProgram("dravel-cli", {input, numericData})
            : way == u"bemsol-cli save" ? runProgram("bemsol-cli", {"save", input, savedProject})
            : way == u"bemsol-cli dump" ? runProgram("bemsol-cli", {"dump", input})
                                        : runProgram("bemsol-cli", {"save", sample, savedProject,
                                                                    "--names", input});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        said = run.err;
    }
    QVERIFY2(said.contains(r.message), qPrintable(said));
    const Snapshot after = snapshot(document, dir.path());
    QVERIFY(after.model == before.model);
    QCOMPARE(after.projectFileName, before.projectFileName);
    QCOMPARE(after.caption, before.caption);
    QCOMPARE(after.modified, before.modified);
    QCOMPARE(after.notYetSaved, before.notYetSaved);
    QCOMPARE(after.files.keys(), before.files.keys());
    QVERIFY(after.files == before.files);
}

QTEST_GUILESS_MAIN(TestRefusals)
#include "tst_refusals.moc"
