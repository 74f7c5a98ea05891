#include "core/shiftjis.h"

#include <QTest>

class TestShiftJis : public QObject
{
    Q_OBJECT

private slots:
    void controlBytesStayAsTheyAre();
    void textRoundTrips();
    void damageStaysWithItsLine();
};

void TestShiftJis::controlBytesStayAsTheyAre()
{
    const QString controls = QStringLiteral("\x1A\x1C\x7F\t");
    QCOMPARE(encodeShiftJis(controls).value_or(QByteArray()), QByteArray("\x1a\x1c\x7f\t", 4));
    QCOMPARE(decodeShiftJis(QByteArray("\x1a\x1c\x7f\t", 4)), controls);
}

void TestShiftJis::textRoundTrips()
{
    const QString text = QStringLiteral("新設,基準点ｱﾝﾃﾅ①");
    const std::optional<QByteArray> bytes = encodeShiftJis(text);
    QVERIFY(bytes);
    QCOMPARE(decodeShiftJis(*bytes), text);
    QVERIFY(!encodeShiftJis(QStringLiteral("é")));
    // A refused field leaves the next one writable, and the next refusal is seen.
    QCOMPARE(encodeShiftJis(text), bytes);
    QVERIFY(!encodeShiftJis(QStringLiteral("\U0001F600")));
    QVERIFY(!encodeShiftJis(QStringLiteral("é")));
}

// Lines are decoded one after another: a lead byte cut off at the end of one line must
// neither join the next line's first byte nor mark that line as damaged.
void TestShiftJis::damageStaysWithItsLine()
{
    QCOMPARE(decodeShiftJis("ab\x82"), QStringLiteral("ab\uFFFD"));
    QVERIFY(decodeShiftJis("\xa0") != QStringLiteral("あ")); // 0x82 0xA0 together
    QCOMPARE(decodeShiftJis("ab\x82"), QStringLiteral("ab\uFFFD"));
    QCOMPARE(decodeShiftJis("cd\x7f"), QStringLiteral("cd\x7F"));
}

QTEST_GUILESS_MAIN(TestShiftJis)
#include "tst_shiftjis.moc"
