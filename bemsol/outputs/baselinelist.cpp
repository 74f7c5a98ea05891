#include "baselinelist.h"

#include "neuconversion.h"

namespace {

bool occupationInTable(const ProjectModel& model, int index)
{
    // 0 is the empty record of an end the import could not match: a valid entry.
    return index >= 0 && index <= model.occupationCount();
}

} // namespace

BaselineListRows WriteBaselineList(const ProjectModel& model)
{
    BaselineListRows result;
    const int count = model.baselineCount();
    result.rows.reserve(count);
    for (int k = 1; k <= count; ++k) {
        const BaselineRecord& b = model.baselines[k];
        // An index outside the table yields the empty record: the names stay empty.
        const OccupationRecord& start = model.startOccupationOf(b);
        const OccupationRecord& end = model.endOccupationOf(b);
        bool complete = occupationInTable(model, b.startOccupation) &&
                        occupationInTable(model, b.endOccupation);

        SheetRow row;
        row.row = k + 1;
        QList<CellValue>& c = row.cells;
        c.reserve(baselineListColumns);
        auto text = [&c](const QString& value) { c.append(CellValue::typedEntry(value)); };
        text(b.session);
        text(start.pointName);
        text(start.ptCode);
        text(end.pointName);
        text(end.ptCode);
        text(b.startPoint.posN);
        text(b.startPoint.posE);
        text(b.vector.dx);
        text(b.vector.dy);
        text(b.vector.dz);
        const auto neu = ConvertToNEU(b.startPoint.posN, b.startPoint.posE, b.vector.dx,
                                      b.vector.dy, b.vector.dz);
        if (neu) {
            c.append(CellValue::fromNumber(my_round3(neu->n)));
            c.append(CellValue::fromNumber(my_round3(neu->e)));
            c.append(CellValue::fromNumber(my_round3(neu->u)));
        } else {
            complete = false;
            c.append(CellValue{});
            c.append(CellValue{});
            c.append(CellValue{});
        }
        text(b.startPoint.posX);
        text(b.startPoint.posY);
        text(b.startPoint.posZ);
        text(b.endPoint.posX);
        text(b.endPoint.posY);
        text(b.endPoint.posZ);
        text(b.endPoint.posN);
        text(b.endPoint.posE);
        if (!complete)
            ++result.incompleteRows;
        result.rows.append(std::move(row));
    }
    return result;
}

QString IncompleteRowsMessage(int incompleteRows)
{
    if (incompleteRows == 0)
        return {};
    return QStringLiteral("基線一覧の %1 行は、角度や数値の文字が読めないか観測点の番号が範囲外のため、"
                          "北・東・上成分または点名を空欄にしました。")
        .arg(incompleteRows);
}

QString BaselineListRows::warning() const
{
    return IncompleteRowsMessage(incompleteRows);
}
