// A program stopped at any moment while it writes a file over an existing one leaves
// either the old file or the new one, whole. A child process writes one of two versions
// over the other and is killed (SIGKILL) after a random delay; then the file must be one
// of the two, byte for byte, and load, and the old file must not have been written into
// (a write in place cannot survive a kill in the middle). The delays close in on the
// moment the new file takes the old one's place, where a write that is not atomic would
// leave a cut file.
//
// CRASHSAFE_ROUNDS sets the rounds per file kind (make bench runs many).

#include "core/numericdatawriter.h"
#include "exchangegenerator.h"
#include "import/exchangeimport.h"
#include "outputs/filledworkbookfile.h"
#include "outputs/outputcommands.h"
#include "outputs/xlsxworkbook.h"
#include "project/projectfile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The two versions of a file and how the program writes and reads them.
struct FileKind
{
    std::function<bool(int version, const QString& path)> write;
    std::function<bool(const QByteArray& bytes)> loads;
};

ProjectModel generatedProject(int baselines, std::uint64_t seed)
{
    ProjectModel model;
    if (!ImportExchangeBytes(generateExchangeFile({.baselines = baselines, .seed = seed}), model))
        qFatal("generated exchange file refused");
    return model;
}

FileKind projectFiles()
{
    const auto models = std::make_shared<std::array<ProjectModel, 2>>(
        std::array{generatedProject(200, 1), generatedProject(150, 2)});
    return {[models](int version, const QString& path) {
                return bool(SaveProjectFile((*models)[version], path));
            },
            [](const QByteArray& bytes) {
                ProjectModel loaded;
                return bool(DecodeProjectFile(bytes, loaded));
            }};
}

QList<ResultPoint> resultPoints(int count, int variant)
{
    QList<ResultPoint> points;
    for (int i = 1; i <= count; ++i) {
        const QString n = QString::number(i);
        points.append({n.rightJustified(5, u'0'), QStringLiteral("基準点%1").arg(i),
                       QStringLiteral("35.39%1").arg(i % 10000, 4, 10, QChar(u'0')),
                       QStringLiteral("139.4%1").arg(i % 10000, 4, 10, QChar(u'0')),
                       QStringLiteral("-1234%1.567").arg(variant), QStringLiteral("2345%1.678").arg(i),
                       QStringLiteral("12.345"), QStringLiteral("%1.456").arg(i)});
    }
    return points;
}

FileKind numericDataFiles()
{
    const auto points = std::make_shared<std::array<QList<ResultPoint>, 2>>(
        std::array{resultPoints(1000, 0), resultPoints(700, 1)});
    return {[points](int version, const QString& path) {
                return bool(NumericDataWriter::write(path, (*points)[version], {}));
            },
            [](const QByteArray& bytes) {
                return bytes.startsWith("Z00,") && bytes.endsWith("A99,\r\n");
            }};
}

FileKind filledWorkbooks()
{
    const QString templatePath = QStringLiteral(SOURCE_DIR "/share/kisenkakusa.xlsx");
    auto fill = [&](const ProjectModel& model) {
        const Result<FilledWorkbook> filled = FillBaselineWorkbook(templatePath, model, {}, {});
        if (!filled)
            qFatal("%s", qPrintable(filled.message()));
        return filled->bytes;
    };
    const auto books = std::make_shared<std::array<QByteArray, 2>>(
        std::array{fill(generatedProject(600, 3)), fill(generatedProject(400, 4))});
    return {[books](int version, const QString& path) {
                return bool(SaveFilledWorkbook(path, (*books)[version]));
            },
            [](const QByteArray& bytes) { return bool(XlsxWorkbook::fromBytes(bytes)); }};
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int roundsPerKind()
{
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("CRASHSAFE_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 16;
}

} // namespace

class TestCrashSafeWrite : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileWriting_data();
    void killedWhileWriting();

private:
    QTemporaryDir dir_;
};

void TestCrashSafeWrite::killedWhileWriting_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("project file over a project file") << "project";
    QTest::newRow("numeric data file over one") << "numeric";
    QTest::newRow("filled workbook over one") << "workbook";
}

void TestCrashSafeWrite::killedWhileWriting()
{
    QFETCH(QString, kind);
    const FileKind files = kind == u"project"   ? projectFiles()
                           : kind == u"numeric" ? numericDataFiles()
                                                : filledWorkbooks();
    const QString path = dir_.filePath(kind + QStringLiteral(".out"));

    // Both versions as the program writes them, and how long one write takes here.
    std::array<QByteArray, 2> version;
    QElapsedTimer clock;
    qint64 writeNanoseconds = 0;
    for (int v : {1, 0}) {
        clock.start();
        QVERIFY(files.write(v, path));
        writeNanoseconds = std::max(writeNanoseconds, clock.nsecsElapsed());
        version[v] = contents(path);
        QVERIFY(files.loads(version[v]));
    }
    QVERIFY(version[0] != version[1]);

    QRandomGenerator& random = *QRandomGenerator::global();
    int onDisk = 0;
    // The delay in units of one write, and how far it moves after a round: the steps
    // shrink, so that the kills close in on the replacement however fast the child is.
    double scale = 1.0;
    double step = 0.3;
    int kept = 0;
    int replaced = 0;
    const int rounds = roundsPerKind();
    for (int round = 0; round < rounds; ++round) {
        const int next = 1 - onDisk;
        // Held open through the round: a writer that replaces the file never writes into
        // the old one, so it still reads whole afterwards, however late the kill came.
        QFile oldFile(path);
        QVERIFY(oldFile.open(QIODevice::ReadOnly));
        const double jitter = 1.0 + step * (random.generateDouble() - 0.5);
        const auto delay = qint64(scale * jitter * double(writeNanoseconds));
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            files.write(next, path);
            _exit(0);
        }
        const timespec wait{time_t(delay / 1000000000), long(delay % 1000000000)};
        nanosleep(&wait, nullptr);
        kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);

        const QByteArray found = contents(path);
        const QString where = QStringLiteral("round %1, killed after %2 µs: %3 bytes")
                                  .arg(round)
                                  .arg(delay / 1000)
                                  .arg(found.size());
        QVERIFY2(found == version[onDisk] || found == version[next], qPrintable(where));
        QVERIFY2(files.loads(found), qPrintable(where));
        QVERIFY2(oldFile.readAll() == version[onDisk],
                 qPrintable(where + QStringLiteral(": the old file was written into")));
        // Aim the next kill later when this one came before the replacement, earlier
        // when it came after.
        if (found == version[onDisk]) {
            ++kept;
            scale *= 1.0 + step;
        } else {
            ++replaced;
            onDisk = next;
            scale /= 1.0 + step;
        }
        // Finer steps only once kills have come on both sides.
        if (kept > 0 && replaced > 0)
            step = std::max(0.02, step * 0.85);
    }
    qInfo("%s: one write %lld µs, %d rounds: old file kept %d times, replaced %d times",
          qPrintable(kind), writeNanoseconds / 1000, rounds, kept, replaced);
    // Kills on both sides of the replacement show that the rounds reached it.
    QVERIFY2(kept > 0 && replaced > 0, "no kill came near the replacement");
}

QTEST_GUILESS_MAIN(TestCrashSafeWrite)
#include "tst_crashsafewrite.moc"
