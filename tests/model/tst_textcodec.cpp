#include "model/textcodec.h"

#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodes_data();
    void decodes();
    void encodes_data();
    void encodes();
    void everyCharacterRoundTrips();
};

void TestTextCodec::decodes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << QByteArray("SS,1,A") << "SS,1,A";
    QTest::newRow("kanji") << QByteArray("\x95\xfa\x91\x97\x97\xef") << "放送暦";
    QTest::newRow("half-width katakana") << QByteArray("\xdb\xb8\xde\xb5\xdd") << "ﾛｸﾞｵﾝ";
    QTest::newRow("wave dash and minus as Windows maps them")
        << QByteArray("\x81\x60\x81\x7c") << QStringLiteral("\uFF5E\uFF0D");
    QTest::newRow("NEC special") << QByteArray("\x87\x40") << "①";
    QTest::newRow("control characters as they are")
        << QByteArray("\x1a\x1c\x7f\x01", 4) << QStringLiteral("\x1A\x1C\x7F\x01");
    QTest::newRow("lead byte at the end") << QByteArray("ab\x95") << QStringLiteral("ab\uFFFD");
    QTest::newRow("lead byte before a blank keeps the blank")
        << QByteArray("\x95 a") << QStringLiteral("\uFFFD a");
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40") << QStringLiteral("\uFFFD");
    QTest::newRow("bytes that start nothing") << QByteArray("\x80\xa0\xfd")
                                              << QStringLiteral("\uFFFD\uFFFD\uFFFD");
}

void TestTextCodec::decodes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeShiftJis(bytes), text);
}

void TestTextCodec::encodes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("encodable");

    QTest::newRow("ascii") << "Trimble Total Control 2.71" << QByteArray("Trimble Total Control 2.71")
                           << true;
    QTest::newRow("kanji") << "放送暦" << QByteArray("\x95\xfa\x91\x97\x97\xef") << true;
    QTest::newRow("half-width") << "ﾃﾞｰﾀ" << QByteArray("\xc3\xde\xb0\xc0") << true;
    QTest::newRow("control characters with kanji")
        << QStringLiteral("\x1A\x1C\x7F暦") << QByteArray("\x1a\x1c\x7f\x97\xef", 5) << true;
    QTest::newRow("accented letter") << "é" << QByteArray() << false;
    QTest::newRow("emoji") << "😀" << QByteArray() << false;
    QTest::newRow("yen sign has no code") << "¥" << QByteArray() << false;
    // Each character's code is looked up once and kept: a text met later still fails
    // on its one character without a code, and known ones keep their codes.
    QTest::newRow("no code after known ones") << "放送é" << QByteArray() << false;
    QTest::newRow("known ones again") << "暦放送ﾃ" << QByteArray("\x97\xef\x95\xfa\x91\x97\xc3") << true;
    QTest::newRow("half of a pair") << QStringLiteral("a\xD83D") << QByteArray() << false;
}

void TestTextCodec::encodes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, encodable);
    const std::optional<QByteArray> encoded = EncodeShiftJis(text);
    QCOMPARE(encoded.has_value(), encodable);
    if (encodable)
        QCOMPARE(*encoded, bytes);
}

void TestTextCodec::everyCharacterRoundTrips()
{
    // Every single byte and pair that is a character decodes to a text that encodes
    // to a code decoding to the same text (code page 932 has duplicates, so the bytes
    // may differ, the characters may not).
    int characters = 0;
    for (int a = 0; a < 256; ++a) {
        for (int b = -1; b < 256; ++b) {
            QByteArray bytes(1, char(a));
            if (b >= 0)
                bytes += char(b);
            const QString text = DecodeShiftJis(bytes);
            if (text.size() != 1 || text[0] == QChar(0xFFFD))
                continue;
            ++characters;
            const std::optional<QByteArray> encoded = EncodeShiftJis(text);
            if (!encoded || DecodeShiftJis(*encoded) != text)
                QFAIL(qPrintable(QStringLiteral("bytes %1").arg(QString::fromLatin1(bytes.toHex()))));
        }
    }
    QVERIFY(characters > 7000);
}

QTEST_GUILESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
