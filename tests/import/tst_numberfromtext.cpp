// Numbers as the import reads them: the quick paths for whole numbers and plain decimals
// must give exactly what the general conversion gives, and refuse what it refuses.
#include "import/elementreader.h"

#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>

namespace {

// The general conversion the quick paths stand in for.
std::optional<double> generalConversion(QByteArray text)
{
    text = text.trimmed();
    if (text.startsWith('+'))
        text = text.mid(1);
    if (text.isEmpty())
        return std::nullopt;
    double value = 0;
    const char* end = text.constData() + text.size();
    const auto [ptr, error] = std::from_chars(text.constData(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

class TestNumberFromText : public QObject
{
    Q_OBJECT

private slots:
    void sameAsGeneralConversion_data();
    void sameAsGeneralConversion();
};

void TestNumberFromText::sameAsGeneralConversion_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("readable");

    for (const char* t : {"0", "4740", "007", "999999999", "1000000000", "4294967296", "-0",
                          "-3957199.1234", "0.0000039814", "-0.0107348084", "0.1", "0.3",
                          "123456789.123456789", "1234567890123456789", "12345678901234567890",
                          "9007199254740992", "9007199254740993", "0.1234567890123456789",
                          "0.0000000000000000000001", "1e3", "1.5e-3", "5.", ".5", "+5", " 12 ",
                          "+-5", "--5", "-", "", "1.2.3", "12a", "nan", "inf", "1e400", "\t8\r"})
        QTest::newRow(t) << QByteArray(t) << generalConversion(t).has_value();
}

void TestNumberFromText::sameAsGeneralConversion()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, readable);
    const std::optional<double> expected = generalConversion(text);
    const std::optional<double> got = NumberFromText(QByteArrayView(text));
    QCOMPARE(got.has_value(), readable);
    if (readable) {
        // Bit for bit (QCOMPARE of doubles would allow a difference in the last digits),
        // the sign of zero included.
        QCOMPARE(std::bit_cast<quint64>(*got), std::bit_cast<quint64>(*expected));
    }
}

QTEST_GUILESS_MAIN(TestNumberFromText)
#include "tst_numberfromtext.moc"
