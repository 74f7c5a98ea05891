#include "model/pdffile.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray oldBytes = "an earlier file\n";

// Two pages, each with a line of text; or the drawing's own refusal.
Outcome drawTwoPages(QPdfWriter& writer, bool fails)
{
    QPainter painter(&writer);
    painter.drawText(100, 100, QStringLiteral("一頁"));
    writer.newPage();
    painter.drawText(100, 100, QStringLiteral("二頁"));
    if (fails)
        return Outcome::failure(QStringLiteral("描けません"));
    return Outcome::success();
}

// `pdfinfo`'s "Field: value" lines.
QHash<QString, QString> pdfInfo(const QString& path)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished();
    QHash<QString, QString> fields;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0)
            fields.insert(line.left(colon), line.mid(colon + 1).trimmed());
    }
    return fields;
}

} // namespace

class TestPdfFile : public QObject
{
    Q_OBJECT

private slots:
    void writesOrLeavesTheTarget_data();
    void writesOrLeavesTheTarget();
};

void TestPdfFile::writesOrLeavesTheTarget_data()
{
    QTest::addColumn<bool>("fileBefore");
    QTest::addColumn<bool>("folderMissing");
    QTest::addColumn<bool>("drawingFails");
    QTest::addColumn<QString>("message"); // empty: written

    QTest::newRow("new file") << false << false << false << QString();
    QTest::newRow("replaces a file") << true << false << false << QString();
    QTest::newRow("drawing refused, nothing there") << false << false << true << "描けません";
    QTest::newRow("drawing refused, the file kept") << true << false << true << "描けません";
    QTest::newRow("no such folder") << false << true << false << "PDFファイルを書き込めません";
}

void TestPdfFile::writesOrLeavesTheTarget()
{
    QFETCH(bool, fileBefore);
    QFETCH(bool, folderMissing);
    QFETCH(bool, drawingFails);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(folderMissing ? "missing/book.pdf" : "book.pdf");
    if (fileBefore) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(oldBytes);
    }

    int draws = 0;
    const Outcome outcome = WritePdfFile(path, QStringLiteral("試験 帳票"), [&](QPdfWriter& w) {
        ++draws;
        return drawTwoPages(w, drawingFails);
    });

    QCOMPARE(bool(outcome), message.isEmpty());
    QCOMPARE(draws, folderMissing ? 0 : 1);
    // Nothing is left beside the target, whatever happened.
    const QStringList left = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(left, (fileBefore || message.isEmpty() ? QStringList{"book.pdf"} : QStringList{}));
    if (!message.isEmpty()) {
        QVERIFY2(outcome.message.startsWith(message), qPrintable(outcome.message));
        if (folderMissing)
            QVERIFY(outcome.message.contains(QDir::toNativeSeparators(path)));
        if (fileBefore) {
            QFile kept(path);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), oldBytes);
        }
        return;
    }
    const QHash<QString, QString> info = pdfInfo(path);
    QCOMPARE(info.value("Title"), QStringLiteral("試験 帳票"));
    QCOMPARE(info.value("Creator"), QStringLiteral("Bemsol"));
    QCOMPARE(info.value("Pages"), QStringLiteral("2"));
}

QTEST_MAIN(TestPdfFile)
#include "tst_pdffile.moc"
