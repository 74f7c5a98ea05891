#include "outputs/formulashift.h"

#include <QTest>

class TestFormulaShift : public QObject
{
    Q_OBJECT

private slots:
    void shiftsRelativeReferences_data();
    void shiftsRelativeReferences();
};

void TestFormulaShift::shiftsRelativeReferences_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("shifted");

    QTest::newRow("one cell down") << "K2*2" << 3 << 0 << "K5*2";
    QTest::newRow("fixed parts stay") << "$A1+A$1+$A$1+A1" << 2 << 3 << "$A3+D$1+$A$1+D3";
    QTest::newRow("range") << "SUM(A1:B2)" << 1 << 1 << "SUM(B2:C3)";
    QTest::newRow("lower case, as some writers store it") << "a1+b$2" << 1 << 1 << "B2+C$2";
    QTest::newRow("whole columns") << "SUM(A:A,$B:C)" << 5 << 1 << "SUM(B:B,$B:D)";
    QTest::newRow("whole rows") << "SUM(1:1,2:$3)" << 2 << 4 << "SUM(3:3,4:$3)";
    QTest::newRow("other sheet") << "基線一覧!K2-Sheet2!$L2" << 1 << 0 << "基線一覧!K3-Sheet2!$L3";
    QTest::newRow("quoted sheet") << "'基線 一覧''s'!A1" << 1 << 0 << "'基線 一覧''s'!A2";
    QTest::newRow("span of sheets") << "SUM(S1:S3!A1)" << 1 << 0 << "SUM(S1:S3!A2)";
    QTest::newRow("texts stay") << "IF(A1=\"A1\",\"x\"\"B2\",B1)" << 1 << 0
                                << "IF(A2=\"A1\",\"x\"\"B2\",B2)";
    QTest::newRow("functions named like cells") << "LOG10(A1)+ATAN2(B1,C1)" << 1 << 0
                                                << "LOG10(A2)+ATAN2(B2,C2)";
    QTest::newRow("numbers and flags") << "1.5E+3*A1+2E3+TRUE+10%" << 1 << 0 << "1.5E+3*A2+2E3+TRUE+10%";
    QTest::newRow("structured reference") << "Table1[[#This Row],[A1]]+A1" << 1 << 0
                                          << "Table1[[#This Row],[A1]]+A2";
    QTest::newRow("errors stay") << "#REF!+#N/A+#DIV/0!+A1" << 1 << 0 << "#REF!+#N/A+#DIV/0!+A2";
    QTest::newRow("names longer than a column") << "TOTAL+ABCD1+A1" << 1 << 0 << "TOTAL+ABCD1+A2";
    QTest::newRow("off the right edge") << "XFD1+A1" << 0 << 1 << "#REF!+B1";
    QTest::newRow("off the bottom") << "A1048576" << 1 << 0 << "#REF!";
    QTest::newRow("range partly off") << "SUM(A1:XFD1)" << 0 << 1 << "SUM(#REF!)";
    QTest::newRow("no move") << "$K$2+K2" << 0 << 0 << "$K$2+K2";
}

void TestFormulaShift::shiftsRelativeReferences()
{
    QFETCH(QString, formula);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, shifted);
    QCOMPARE(ShiftFormulaReferences(formula, rows, columns), shifted);
}

QTEST_GUILESS_MAIN(TestFormulaShift)
#include "tst_formulashift.moc"
