#include "formulashift.h"

#include "cellvalue.h"

#include <optional>

namespace {

bool isWordChar(QChar c)
{
    // Unquoted sheet and defined names may hold letters of any script.
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'$' || c == u'\\' || c == u'?';
}

bool isLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// One end of a reference: a column, a row, or both, each perhaps fixed with "$".
struct ReferenceEnd
{
    bool hasColumn = false;
    bool columnFixed = false;
    int column = 0;
    bool hasRow = false;
    bool rowFixed = false;
    int row = 0;
};

std::optional<ReferenceEnd> readEnd(QStringView word)
{
    ReferenceEnd end;
    qsizetype i = 0;
    const qsizetype n = word.size();
    if (i < n && word[i] == u'$') {
        end.columnFixed = true;
        ++i;
    }
    const qsizetype lettersStart = i;
    long long column = 0;
    while (i < n && isLetter(word[i]) && i - lettersStart < 3) {
        column = column * 26 + (word[i].toUpper().unicode() - u'A' + 1);
        ++i;
    }
    if (i > lettersStart) {
        if (column > maxSheetColumn)
            return std::nullopt;
        end.hasColumn = true;
        end.column = int(column);
    } else if (end.columnFixed) {
        // "$1": the "$" belongs to the row.
        end.columnFixed = false;
        end.rowFixed = true;
    }
    if (end.hasColumn && i < n && word[i] == u'$') {
        end.rowFixed = true;
        ++i;
    }
    const qsizetype digitsStart = i;
    long long row = 0;
    while (i < n && isDigit(word[i])) {
        row = row * 10 + (word[i].unicode() - u'0');
        if (row > maxSheetRow)
            return std::nullopt;
        ++i;
    }
    if (i > digitsStart) {
        if (row < 1)
            return std::nullopt;
        end.hasRow = true;
        end.row = int(row);
    } else if (end.rowFixed) {
        return std::nullopt; // "A$" or "$" alone is no reference
    }
    if (i != n || (!end.hasColumn && !end.hasRow))
        return std::nullopt;
    return end;
}

// Moves the relative parts; false when one leaves the sheet.
bool shift(ReferenceEnd& end, int rowOffset, int columnOffset)
{
    if (end.hasColumn && !end.columnFixed) {
        end.column += columnOffset;
        if (end.column < 1 || end.column > maxSheetColumn)
            return false;
    }
    if (end.hasRow && !end.rowFixed) {
        end.row += rowOffset;
        if (end.row < 1 || end.row > maxSheetRow)
            return false;
    }
    return true;
}

QString text(const ReferenceEnd& end)
{
    QString out;
    if (end.hasColumn) {
        if (end.columnFixed)
            out += u'$';
        out += QString::fromLatin1(ColumnLetters(end.column));
    }
    if (end.hasRow) {
        if (end.rowFixed)
            out += u'$';
        out += QString::number(end.row);
    }
    return out;
}

class FormulaShifter
{
public:
    FormulaShifter(QStringView formula, int rowOffset, int columnOffset)
        : f_(formula), rowOffset_(rowOffset), columnOffset_(columnOffset)
    {
    }

    QString run()
    {
        while (i_ < f_.size()) {
            const QChar c = f_[i_];
            if (c == u'"' || c == u'\'')
                copyQuoted(c);
            else if (c == u'[')
                copyBracketed();
            else if (isWordChar(c))
                word();
            else
                out_ += f_[i_++];
        }
        return out_;
    }

private:
    QChar at(qsizetype k) const { return k < f_.size() ? f_[k] : QChar(); }

    qsizetype wordEnd(qsizetype from) const
    {
        qsizetype k = from;
        while (k < f_.size() && isWordChar(f_[k]))
            ++k;
        return k;
    }

    // A text or a quoted sheet name; a doubled quote stands for one.
    void copyQuoted(QChar quote)
    {
        const qsizetype start = i_++;
        while (i_ < f_.size()) {
            if (f_[i_] == quote) {
                if (at(i_ + 1) == quote) {
                    i_ += 2;
                    continue;
                }
                ++i_;
                break;
            }
            ++i_;
        }
        out_ += f_.sliced(start, i_ - start);
    }

    // A workbook index or a structured reference, perhaps nested.
    void copyBracketed()
    {
        const qsizetype start = i_;
        int depth = 0;
        do {
            if (f_[i_] == u'[')
                ++depth;
            else if (f_[i_] == u']')
                --depth;
            ++i_;
        } while (i_ < f_.size() && depth > 0);
        out_ += f_.sliced(start, i_ - start);
    }

    void word()
    {
        const qsizetype end = wordEnd(i_);
        const QStringView first = f_.sliced(i_, end - i_);
        // A function name, or a sheet name before "!".
        if (at(end) == u'(' || at(end) == u'!') {
            out_ += first;
            i_ = end;
            return;
        }
        // Two words joined by ":": a range, or a span of sheets before "!".
        if (at(end) == u':' && isWordChar(at(end + 1))) {
            const qsizetype secondEnd = wordEnd(end + 1);
            const QStringView second = f_.sliced(end + 1, secondEnd - end - 1);
            if (at(secondEnd) == u'!') {
                out_ += f_.sliced(i_, secondEnd - i_);
                i_ = secondEnd;
                return;
            }
            auto a = readEnd(first);
            auto b = readEnd(second);
            if (a && b && a->hasColumn == b->hasColumn && a->hasRow == b->hasRow) {
                out_ += shift(*a, rowOffset_, columnOffset_) && shift(*b, rowOffset_, columnOffset_)
                            ? text(*a) + u':' + text(*b)
                            : QStringLiteral("#REF!");
                i_ = secondEnd;
                return;
            }
        }
        // A cell alone; a column or a row alone is a name or a number.
        auto cell = readEnd(first);
        if (cell && cell->hasColumn && cell->hasRow)
            out_ += shift(*cell, rowOffset_, columnOffset_) ? text(*cell) : QStringLiteral("#REF!");
        else
            out_ += first;
        i_ = end;
    }

    QStringView f_;
    int rowOffset_;
    int columnOffset_;
    qsizetype i_ = 0;
    QString out_;
};

} // namespace

QString ShiftFormulaReferences(QStringView formula, int rowOffset, int columnOffset)
{
    return FormulaShifter(formula, rowOffset, columnOffset).run();
}
