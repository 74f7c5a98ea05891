#include "import/gpstimetext.h"
#include "model/datetimetext.h"

#include <QTest>

class TestDateTimeText : public QObject
{
    Q_OBJECT

private slots:
    void gpsTime_data();
    void gpsTime();
    void parse_data();
    void parse();
};

void TestDateTimeText::gpsTime_data()
{
    QTest::addColumn<QString>("week");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("text");

    QTest::newRow("first day of week 1000") << "1000" << "0" << "1999/03/07";
    QTest::newRow("midnight has no time part") << "1304" << "345600" << "2005/01/06";
    QTest::newRow("hours without leading zero") << "1292" << "205530" << "2004/10/12 9:05:30";
    QTest::newRow("afternoon") << "1292" << "237599" << "2004/10/12 17:59:59";
    QTest::newRow("half second rounds to even, down") << "1000" << "0.5" << "1999/03/07";
    QTest::newRow("half second rounds to even, up") << "1000" << "1.5" << "1999/03/07 0:00:02";
    QTest::newRow("end of the week") << "1000" << "604799" << "1999/03/13 23:59:59";
    QTest::newRow("blanks around values") << " 1000 " << " 60 " << "1999/03/07 0:01:00";
    QTest::newRow("week missing") << "" << "60" << "";
    QTest::newRow("seconds not a number") << "1000" << "1O" << "";
    QTest::newRow("seconds beyond 32 bits") << "1000" << "3000000000" << "";
    QTest::newRow("week not whole") << "1000.5" << "0" << "";
    QTest::newRow("year beyond 9999") << "500000" << "0" << "";
}

void TestDateTimeText::gpsTime()
{
    QFETCH(QString, week);
    QFETCH(QString, seconds);
    QFETCH(QString, text);
    QCOMPARE(GpsWeekSecondsText(week.toUtf8(), seconds.toUtf8()), text);
}

void TestDateTimeText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("value");

    const auto utc = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    };
    QTest::newRow("written form") << "2004/10/12 9:05:30" << utc(2004, 10, 12, 9, 5, 30);
    QTest::newRow("leading zeros") << "2004/01/02 09:05:03" << utc(2004, 1, 2, 9, 5, 3);
    QTest::newRow("no leading zeros") << "2004/1/2 9:5:3" << utc(2004, 1, 2, 9, 5, 3);
    QTest::newRow("date alone is midnight") << "2005/01/01" << utc(2005, 1, 1, 0, 0, 0);
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("no such day") << "2005/02/30" << QDateTime();
    QTest::newRow("hour 24") << "2005/01/01 24:00:00" << QDateTime();
    QTest::newRow("other separators") << "2005-01-01 1:00:00" << QDateTime();
    QTest::newRow("seconds missing") << "2005/01/01 1:00" << QDateTime();
    QTest::newRow("trailing text") << "2005/01/01 1:00:00 JST" << QDateTime();
    QTest::newRow("empty field") << "2005//01 1:00:00" << QDateTime();
    QTest::newRow("five-digit year") << "02005/01/01" << QDateTime();
    QTest::newRow("three-digit minute") << "2005/01/01 1:000:00" << QDateTime();
    QTest::newRow("fourth date field") << "2005/01/01/02" << QDateTime();
    QTest::newRow("blank without a time") << "2005/01/01 " << QDateTime();
    QTest::newRow("year 1") << "1/1/1 0:0:1" << utc(1, 1, 1, 0, 0, 1);
    QTest::newRow("year 0") << "0/1/1" << QDateTime();
}

void TestDateTimeText::parse()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, value);
    const std::optional<QDateTime> parsed = ParseDateTimeText(text);
    QCOMPARE(parsed.value_or(QDateTime()), value);
    if (parsed)
        QCOMPARE(ParseDateTimeText(DateTimeText(*parsed)), parsed);
}

QTEST_GUILESS_MAIN(TestDateTimeText)
#include "tst_datetimetext.moc"
