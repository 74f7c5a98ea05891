#include "import/linegrammar.h"

#include <QTest>

class TestLineGrammar : public QObject
{
    Q_OBJECT

private slots:
    void tagName_data();
    void tagName();
    void value_data();
    void value();
};

void TestLineGrammar::tagName_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("tag");

    QTest::newRow("opening tag") << "    <Baseline>" << "Baseline";
    QTest::newRow("closing tag") << "</Baseline>" << "/Baseline";
    QTest::newRow("element with value") << "<X>-3957199.123</X>" << "X";
    QTest::newRow("attributes") << "<JapaneseExchangeFormat version=\"1\">"
                                << "JapaneseExchangeFormat";
    QTest::newRow("self-closing") << "<SatList/>" << "SatList/";
    QTest::newRow("self-closing with space") << "<SatList />" << "SatList";
    QTest::newRow("declaration") << "<?xml version=\"1.0\"?>" << "?xml";
    QTest::newRow("no < takes the whole line") << "Baseline>" << "Baseline";
    QTest::newRow("no > after < has no tag") << "<Baseline" << "";
    QTest::newRow("empty line has no tag") << "" << "";
    QTest::newRow("text without any bracket has no tag") << "Baseline" << "";
    QTest::newRow("tab is part of the name") << "<A\tb>" << "A\tb";
    QTest::newRow("long indentation and name") << QString(40, u' ') + "<ReceiverSerialNumberOfTheSetUp a=\"1\">"
                                               << "ReceiverSerialNumberOfTheSetUp";
    QTest::newRow("long name without >") << "<ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefgh" << "";
    QTest::newRow("blank in a long line, > far behind")
        << "<Name " + QString(40, u'x') + ">" << "Name";
    QTest::newRow("blank in a long line, no >") << "<Name " + QString(40, u'x') << "";
    QTest::newRow("only the first tag counts") << "<From>0</From><To>5</To>" << "From";
}

void TestLineGrammar::tagName()
{
    QFETCH(QString, line);
    QFETCH(QString, tag);
    QCOMPARE(TagNameOf(line).toString(), tag);
    // The reader looks at the UTF-8 bytes of a line; the tag must be the same.
    const QByteArray bytes = line.toUtf8();
    QCOMPARE(QString::fromUtf8(TagNameOf(QByteArrayView(bytes))), tag);
}

void TestLineGrammar::value_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("value");

    QTest::newRow("plain") << "<X>12.5</X>" << "12.5";
    QTest::newRow("blanks trimmed, inner kept") << "<Name>  TRM 41249  </Name>"
                                                << "TRM 41249";
    QTest::newRow("tabs kept") << "<Name>\tA\t</Name>" << "\tA\t";
    QTest::newRow("entity verbatim") << "<Name>A&amp;B</Name>" << "A&amp;B";
    QTest::newRow("value running on") << "<Name>first part" << "";
    QTest::newRow("no >") << "Name" << "";
    QTest::newRow("opening tag only") << "<Baseline>" << "";
    QTest::newRow("attribute > counts as first") << "<A b=\"x\">v</A>" << "v";
    QTest::newRow("japanese") << "<PtCode>筑波山</PtCode>" << "筑波山";
    QTest::newRow("text before the tag") << "x>v<" << "v";
}

void TestLineGrammar::value()
{
    QFETCH(QString, line);
    QFETCH(QString, value);
    QCOMPARE(ValueOf(line).toString(), value);
    const QByteArray bytes = line.toUtf8();
    QCOMPARE(QString::fromUtf8(ValueOf(QByteArrayView(bytes))), value);
}

QTEST_GUILESS_MAIN(TestLineGrammar)
#include "tst_linegrammar.moc"
