// outputs-yardstick CELLS OUT.xlsx: writes the cells that bench-outputs saved (row,
// column, number or UTF-8 text) into a new workbook with libxlsxwriter, best of several
// runs, and prints "wall-ms cpu-ms bytes".
#include "benchsupport.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <cstdio>

namespace {

struct Cell
{
    quint32 row = 0;
    quint16 column = 0;
    bool isNumber = false;
    double number = 0;
    QString text;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly))
        return 1;
    QDataStream stream(&in);
    QList<Cell> cells;
    while (!stream.atEnd()) {
        Cell c;
        stream >> c.row >> c.column >> c.isNumber;
        if (c.isNumber)
            stream >> c.number;
        else
            stream >> c.text;
        if (stream.status() != QDataStream::Ok)
            return 1;
        cells.append(c);
    }

    const QByteArray path = QFile::encodeName(args[2]);
    bool ok = true;
    // The same work as ours: the texts go from the program's strings to UTF-8 here.
    const Timing t = BestOf(defaultBenchRuns, [&] {
        lxw_workbook* book = workbook_new(path.constData());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "基線一覧");
        for (const Cell& c : cells) {
            if (c.isNumber)
                worksheet_write_number(sheet, c.row - 1, c.column - 1, c.number, nullptr);
            else
                worksheet_write_string(sheet, c.row - 1, c.column - 1, c.text.toUtf8().constData(), nullptr);
        }
        ok = ok && workbook_close(book) == LXW_NO_ERROR;
    });
    if (!ok)
        return 1;
    std::printf("%.3f %.3f %lld\n", t.wallMs, t.cpuMs, (long long)QFileInfo(args[2]).size());
    return 0;
}
