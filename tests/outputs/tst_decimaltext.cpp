// ReadDecimalText: what it accepts, and that its quick path for plain numbers gives the
// very value QLocale's reader gives.
#include "outputs/decimaltext.h"

#include <QLocale>
#include <QTest>

#include <cmath>
#include <cstdint>
#include <cstring>

class TestDecimalText : public QObject
{
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void plainNumbersAgreeWithQLocale();
};

void TestDecimalText::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<double>("value");

    QTest::newRow("vector") << "-3738.0626" << true << -3738.0626;
    QTest::newRow("plus sign") << "+1.25" << true << 1.25;
    QTest::newRow("blanks around") << "  12.5 " << true << 12.5;
    QTest::newRow("no leading digit") << "-.5" << true << -0.5;
    QTest::newRow("no decimals") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1.5e3" << true << 1500.0;
    QTest::newRow("32 characters") << "1234567890.123456789012345678901" << true << 1234567890.123456789012345678901;
    QTest::newRow("33 characters") << "1234567890.1234567890123456789012" << true << 1234567890.1234567890123456789012;
    QTest::newRow("too large") << "1e999" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("comma") << "12,5" << false << 0.0;
    QTest::newRow("sign alone") << "-" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("full-width digits") << "１２" << false << 0.0;
}

void TestDecimalText::reads()
{
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(double, value);
    const auto read = ReadDecimalText(text);
    QCOMPARE(read.has_value(), readable);
    if (readable)
        QCOMPARE(*read, value);
}

void TestDecimalText::plainNumbersAgreeWithQLocale()
{
    std::uint64_t state = 99;
    const auto next = [&](int n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return int((state >> 33) % std::uint64_t(n));
    };
    for (int i = 0; i < 20000; ++i) {
        QString text = next(3) == 0 ? QStringLiteral("-") : QString();
        for (int d = next(12) + 1; d > 0; --d)
            text += QChar(u'0' + next(10));
        if (next(4) != 0) {
            text += u'.';
            for (int d = next(16); d > 0; --d)
                text += QChar(u'0' + next(10));
        }
        bool ok = false;
        const double expected = QLocale::c().toDouble(text, &ok);
        const auto read = ReadDecimalText(text);
        QVERIFY2(ok && read, qPrintable(text));
        // Bit for bit, the sign of a zero included.
        QVERIFY2(std::memcmp(&expected, &*read, sizeof expected) == 0, qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(TestDecimalText)
#include "tst_decimaltext.moc"
