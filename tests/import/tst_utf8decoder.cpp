#include "import/utf8decoder.h"

#include <QTest>

class TestUtf8Decoder : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
    void bufferHoldsLongReplacements();
};

void TestUtf8Decoder::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");

    const QString q = QStringLiteral("?");
    QTest::newRow("ascii, two- and three-byte")
        << QByteArray::fromHex("41C3A9E38182") << q << QStringLiteral("A\u00E9\u3042");
    QTest::newRow("two-byte lead at the end") << QByteArray::fromHex("41C3") << q
                                              << QStringLiteral("A?");
    QTest::newRow("three-byte lead cut short") << QByteArray::fromHex("E381") << q
                                               << QStringLiteral("??");
    QTest::newRow("overlong two-byte C0 80") << QByteArray::fromHex("C080") << q
                                             << QStringLiteral("??");
    QTest::newRow("four-byte sequence") << QByteArray::fromHex("F09F9880") << q
                                        << QStringLiteral("????");
    QTest::newRow("empty replacement drops bad bytes")
        << QByteArray::fromHex("41C080F09F988042E381") << QString() << QStringLiteral("AB");
    QTest::newRow("overlong three-byte decodes to U+0000")
        << QByteArray::fromHex("E08080") << q << QString(QChar(u'\0'));
    QTest::newRow("surrogate range yields a lone surrogate")
        << QByteArray::fromHex("EDA080") << q << QString(QChar(char16_t(0xD800)));
    QTest::newRow("byte-order mark kept")
        << QByteArray::fromHex("EFBBBF3C") << q << QStringLiteral("\uFEFF<");
    QTest::newRow("stray continuation bytes one by one")
        << QByteArray::fromHex("80BF41") << q << QStringLiteral("??A");
    QTest::newRow("bad continuation restarts at next byte")
        << QByteArray::fromHex("C341") << q << QStringLiteral("?A");
    QTest::newRow("three-byte lead then ascii") << QByteArray::fromHex("E38141") << q
                                                << QStringLiteral("??A");
    QTest::newRow("highest two- and three-byte")
        << QByteArray::fromHex("DFBFEFBFBF") << q << QStringLiteral("\u07FF\uFFFF");
    QTest::newRow("long ascii runs around a sequence")
        << QByteArray(20, 'a') + QByteArray::fromHex("C3A9") + QByteArray(17, 'b') +
               QByteArray::fromHex("E381") + QByteArray(33, 'c')
        << q << QString(20, u'a') + QStringLiteral("\u00E9") + QString(17, u'b') + "??" +
                    QString(33, u'c');
    QTest::newRow("F5..FF never lead") << QByteArray::fromHex("F5FF") << q
                                       << QStringLiteral("??");
}

void TestUtf8Decoder::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(Utf8BytesToText(bytes, replacement), expected);
}

void TestUtf8Decoder::bufferHoldsLongReplacements()
{
    // Every byte invalid and a three-character replacement: the worst case must fit.
    const QByteArray bytes(1000, char(0xFF));
    const QString out = Utf8BytesToText(bytes, u"<?>");
    QCOMPARE(out.size(), 3000);
    QVERIFY(out.startsWith(QStringLiteral("<?><?>")));
}

QTEST_GUILESS_MAIN(TestUtf8Decoder)
#include "tst_utf8decoder.moc"
