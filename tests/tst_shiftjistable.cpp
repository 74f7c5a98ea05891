#include "project/shiftjistable.h"
#include "project/textcodec.h"

#include <QTest>

class TestShiftJisTable : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithTheConverterOnEveryCode();
    void damagedTextsAgreeToo_data();
    void damagedTextsAgreeToo();
};

void TestShiftJisTable::agreesWithTheConverterOnEveryCode()
{
    for (int a = 0; a < 256; ++a) {
        const char one = char(a);
        QCOMPARE(DecodeShiftJisByTable(QByteArrayView(&one, 1)), DecodeShiftJis(QByteArrayView(&one, 1)));
        for (int b = 0; b < 256; ++b) {
            // Each pair between plain characters, so a pair that is not one character
            // shows how the converter resynchronises.
            const char bytes[4] = {'x', char(a), char(b), 'y'};
            const QByteArrayView text(bytes, 4);
            const QString expected = DecodeShiftJis(text);
            if (DecodeShiftJisByTable(text) != expected)
                QFAIL(qPrintable(QStringLiteral("bytes %1 %2").arg(a, 2, 16).arg(b, 2, 16)));
        }
    }
}

void TestShiftJisTable::damagedTextsAgreeToo_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("lead byte at the end") << QByteArray("ab\x95");
    QTest::newRow("lead byte before a blank") << QByteArray("\x95 a");
    QTest::newRow("Japanese then a cut") << QByteArray("\x95\xfa\x91\x97\x97");
    QTest::newRow("half-width katakana") << QByteArray("\xb1\xdd\xc3\xc5");
    QTest::newRow("control characters") << QByteArray("\x1a\x1c\x7f\x01");
}

void TestShiftJisTable::damagedTextsAgreeToo()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(DecodeShiftJisByTable(bytes), DecodeShiftJis(bytes));
}

QTEST_GUILESS_MAIN(TestShiftJisTable)
#include "tst_shiftjistable.moc"
