#include "cellvalue.h"

#include "decimaltext.h"

CellValue CellValue::fromNumber(double value)
{
    CellValue v;
    v.kind = Kind::Number;
    v.number = value == 0.0 ? 0.0 : value; // no "-0" in a sheet
    return v;
}

CellValue CellValue::typedEntry(const QString& text)
{
    if (text.isEmpty())
        return {};
    if (const auto number = ReadDecimalText(text))
        return fromNumber(*number);
    CellValue v;
    v.kind = Kind::Text;
    v.text = text;
    return v;
}

QByteArray ColumnLetters(int column)
{
    QByteArray letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(char('A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

QString CellReference(int row, int column)
{
    return QString::fromLatin1(ColumnLetters(column)) + QString::number(row);
}

bool ParseCellReference(QStringView ref, int* row, int* column)
{
    qsizetype i = 0;
    const qsizetype n = ref.size();
    if (i < n && ref[i] == u'$')
        ++i;
    long long col = 0;
    const qsizetype lettersStart = i;
    while (i < n && ((ref[i] >= u'A' && ref[i] <= u'Z') || (ref[i] >= u'a' && ref[i] <= u'z'))) {
        col = col * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        if (col > maxSheetColumn)
            return false;
        ++i;
    }
    if (i == lettersStart)
        return false;
    if (i < n && ref[i] == u'$')
        ++i;
    long long r = 0;
    const qsizetype digitsStart = i;
    while (i < n && ref[i] >= u'0' && ref[i] <= u'9') {
        r = r * 10 + (ref[i].unicode() - u'0');
        if (r > maxSheetRow)
            return false;
        ++i;
    }
    if (i == digitsStart || i != n || r < 1)
        return false;
    *row = int(r);
    *column = int(col);
    return true;
}
