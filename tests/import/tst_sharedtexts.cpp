// The import's table of recurring values: an equal value gives the very same string
// (shared, not copied), a different one never does, whatever the length of the key and
// however full the table has grown.
#include "import/exchangereader.h"
#include "import/sharedtexts.h"

#include <QTest>

class TestSharedTexts : public QObject
{
    Q_OBJECT

private slots:
    void equalValuesShareOneString_data();
    void equalValuesShareOneString();
    void manyValuesStayApart();
};

void TestSharedTexts::equalValuesShareOneString_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("other");

    // Lengths around the eight- and sixteen-byte steps of hashing and comparing.
    QTest::newRow("empty") << QByteArray("") << QByteArray(" ");
    // A value with no bytes at all, as an empty attribute gives: no pointer to read from.
    QTest::newRow("null") << QByteArray() << QByteArray(" ");
    QTest::newRow("one byte") << QByteArray("0") << QByteArray("1");
    QTest::newRow("seven bytes") << QByteArray("GPS0312") << QByteArray("GPS0313");
    QTest::newRow("eight bytes") << QByteArray("GPS03120") << QByteArray("GPS03121");
    QTest::newRow("fifteen bytes") << QByteArray("Trimble NetR5 A") << QByteArray("Trimble NetR5 B");
    QTest::newRow("sixteen bytes") << QByteArray("Trimble NetR5 AB") << QByteArray("Trimble NetR5 AC");
    QTest::newRow("seventeen bytes") << QByteArray("Trimble NetR5 ABC") << QByteArray("Trimble NetR5 ABD");
    QTest::newRow("differs in the first byte of a long key")
        << "|" + QByteArray(89, '-') + "|" << " " + QByteArray(89, '-') + "|";
    QTest::newRow("differs in the middle of a long key")
        << "|" + QByteArray(44, '-') + QByteArray(45, ' ') + "|"
        << "|" + QByteArray(45, '-') + QByteArray(44, ' ') + "|";
    QTest::newRow("prefix of the other") << QByteArray("Zephyr Geodetic") << QByteArray("Zephyr Geodetic 2");
    QTest::newRow("japanese") << QByteArray("松ノ沢") << QByteArray("松ノ滝");
    // Both read as "?": each keeps its own entry, both give the same text.
    QTest::newRow("invalid byte against its replacement") << QByteArray("\xff") << QByteArray("?");
}

void TestSharedTexts::equalValuesShareOneString()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, other);
    SharedTexts texts;
    const QString first = texts.text(value);
    const QString second = texts.text(QByteArray(value)); // equal bytes elsewhere in memory
    QCOMPARE(first, TextOf(value));
    QCOMPARE(second, first);
    // An empty text has no characters to share.
    QVERIFY(value.isEmpty() || first.isSharedWith(second));
    const QString different = texts.text(other);
    QCOMPARE(different, TextOf(other));
    QCOMPARE(texts.size(), 2);
    QVERIFY(value.isEmpty() || texts.text(value).isSharedWith(first));
}

void TestSharedTexts::manyValuesStayApart()
{
    // Far more values than the table's first size, so it grows several times; every
    // value asked again afterwards still finds its own string.
    SharedTexts texts;
    QList<QString> firstSeen;
    const int n = 20000;
    for (int i = 0; i < n; ++i)
        firstSeen << texts.text(QByteArray::number(i * 7919));
    QCOMPARE(texts.size(), n);
    for (int i = n - 1; i >= 0; --i) {
        const QString again = texts.text(QByteArray::number(i * 7919));
        QCOMPARE(again, QString::number(i * 7919));
        QVERIFY(again.isSharedWith(firstSeen[i]));
    }
    QCOMPARE(texts.size(), n);
}

QTEST_GUILESS_MAIN(TestSharedTexts)
#include "tst_sharedtexts.moc"
