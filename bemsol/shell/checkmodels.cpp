#include "checkmodels.h"

#include "checks/checktexts.h"

#include <QBrush>
#include <QColor>

namespace {

QStringList headers(CheckTableModel::Table table)
{
    using T = CheckTableModel::Table;
    switch (table) {
    case T::Loops:
        return {QStringLiteral("環"), QStringLiteral("辺数"), QStringLiteral("基線"),
                QStringLiteral("点"), QStringLiteral("ΔN"), QStringLiteral("ΔE"),
                QStringLiteral("ΔU"), QStringLiteral("許容 ΔN,ΔE"), QStringLiteral("許容 ΔU"),
                QStringLiteral("判定")};
    case T::Repeats:
        return {QStringLiteral("基線"), QStringLiteral("比較基線"), QStringLiteral("向き"),
                QStringLiteral("始点"), QStringLiteral("終点"), QStringLiteral("ΔN"),
                QStringLiteral("ΔE"), QStringLiteral("ΔU"), QStringLiteral("許容 ΔN,ΔE"),
                QStringLiteral("許容 ΔU"), QStringLiteral("判定")};
    case T::Conditions:
        return {QStringLiteral("基線"), QStringLiteral("始点"), QStringLiteral("終点"),
                QStringLiteral("ｾｯｼｮﾝ"), QStringLiteral("観測時間(分)"), QStringLiteral("間隔(秒)"),
                QStringLiteral("衛星数"), QStringLiteral("最低高度角"), QStringLiteral("不適合")};
    case T::Unchecked:
        return {QStringLiteral("基線"), QStringLiteral("始点"), QStringLiteral("終点"),
                QStringLiteral("ｾｯｼｮﾝ")};
    case T::Unusable:
        return {QStringLiteral("基線"), QStringLiteral("理由")};
    }
    return {};
}

// Numbers are right-aligned; point names stay left even when they are digits.
bool numericColumn(CheckTableModel::Table table, int column)
{
    using T = CheckTableModel::Table;
    switch (table) {
    case T::Loops: return column <= 1 || (column >= 4 && column <= 8);
    case T::Repeats: return column <= 1 || (column >= 5 && column <= 9);
    case T::Conditions: return column == 0 || (column >= 4 && column <= 7);
    case T::Unchecked:
    case T::Unusable: return column == 0;
    }
    return false;
}

} // namespace

CheckTableModel::CheckTableModel(Table table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
}

void CheckTableModel::setResult(std::shared_ptr<const CheckResult> result)
{
    beginResetModel();
    result_ = std::move(result);
    conditionOfBaseline_.clear();
    if (result_ && table_ == Table::Unchecked) {
        for (const ConditionCheck& c : result_->conditions)
            conditionOfBaseline_.insert(c.baseline, &c);
    }
    endResetModel();
}

int CheckTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !result_)
        return 0;
    switch (table_) {
    case Table::Loops: return int(result_->loops.size());
    case Table::Repeats: return int(result_->repeats.size());
    case Table::Conditions: return int(result_->conditions.size());
    case Table::Unchecked: return int(result_->unchecked.size());
    case Table::Unusable: return int(result_->unusable.size());
    }
    return 0;
}

int CheckTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(headers(table_).size());
}

QVariant CheckTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return headers(table_).value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

const ConditionCheck* CheckTableModel::conditionOf(int baseline) const
{
    return conditionOfBaseline_.value(baseline);
}

QString CheckTableModel::text(int row, int column) const
{
    const auto vectorColumn = [](const VectorCheck& v, int c) -> QString {
        switch (c) {
        case 0: return MetresText(v.dN);
        case 1: return MetresText(v.dE);
        case 2: return MetresText(v.dU);
        case 3: return MetresText(v.limitNE);
        case 4: return MetresText(v.limitU);
        case 5: return VerdictText(v.pass);
        }
        return {};
    };
    switch (table_) {
    case Table::Loops: {
        const LoopCheck& l = result_->loops[row];
        switch (column) {
        case 0: return QString::number(row + 1);
        case 1: return QString::number(l.sideCount());
        case 2: return PathText(l);
        case 3: return LoopPointsText(l);
        default: return vectorColumn(l.closure, column - 4);
        }
    }
    case Table::Repeats: {
        const RepeatCheck& r = result_->repeats[row];
        switch (column) {
        case 0: return QString::number(r.first);
        case 1: return QString::number(r.other);
        case 2: return r.reversed ? QStringLiteral("逆") : QStringLiteral("同");
        case 3: return r.startPoint;
        case 4: return r.endPoint;
        default: return vectorColumn(r.difference, column - 5);
        }
    }
    case Table::Conditions: {
        const ConditionCheck& c = result_->conditions[row];
        switch (column) {
        case 0: return QString::number(c.baseline);
        case 1: return c.startPoint;
        case 2: return c.endPoint;
        case 3: return c.session;
        case 4: return MinutesText(c.minutes);
        case 5: return PlainNumberText(c.interval);
        case 6: return QString::number(c.satellites);
        case 7: return PlainNumberText(c.elevation);
        case 8: return ProblemsText(c);
        }
        return {};
    }
    case Table::Unchecked: {
        const int b = result_->unchecked[row];
        const ConditionCheck* c = conditionOf(b);
        switch (column) {
        case 0: return QString::number(b);
        case 1: return c ? c->startPoint : QString();
        case 2: return c ? c->endPoint : QString();
        case 3: return c ? c->session : QString();
        }
        return {};
    }
    case Table::Unusable: {
        const UnusableBaseline& u = result_->unusable[row];
        return column == 0 ? QString::number(u.baseline) : u.reason;
    }
    }
    return {};
}

bool CheckTableModel::failing(int row) const
{
    if (!result_ || row < 0 || row >= rowCount())
        return false;
    switch (table_) {
    case Table::Loops: return !result_->loops[row].closure.pass;
    case Table::Repeats: return !result_->repeats[row].difference.pass;
    case Table::Conditions: return !result_->conditions[row].pass();
    // An unchecked baseline fails the checks; an unusable one is only listed.
    case Table::Unchecked: return true;
    case Table::Unusable: return false;
    }
    return false;
}

QList<int> CheckTableModel::baselinesAt(int row) const
{
    if (!result_ || row < 0 || row >= rowCount())
        return {};
    switch (table_) {
    case Table::Loops: return result_->loops[row].baselines();
    case Table::Repeats: return {result_->repeats[row].first, result_->repeats[row].other};
    case Table::Conditions: return {result_->conditions[row].baseline};
    case Table::Unchecked: return {result_->unchecked[row]};
    case Table::Unusable: return {result_->unusable[row].baseline};
    }
    return {};
}

QVariant CheckTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !result_ || index.row() >= rowCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((numericColumn(table_, index.column()) ? Qt::AlignRight : Qt::AlignLeft) |
                                   Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return failing(index.row()) ? QBrush(QColor(255, 226, 226)) : QVariant();
    case Qt::ForegroundRole:
        return failing(index.row()) ? QBrush(QColor(160, 0, 0)) : QVariant();
    default:
        return {};
    }
}
