#include "baselinegridmodel.h"

#include "gridcolumns.h"
#include "document/document.h"

#include <QSet>

#include <algorithm>

BaselineGridModel::BaselineGridModel(const Document& document, QObject* parent)
    : QAbstractTableModel(parent), document_(document)
{
}

int BaselineGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int BaselineGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : GridColumn::Count;
}

QVariant BaselineGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cellText(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant BaselineGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= GridColumn::Count)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return gridColumnCaption(section);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

void BaselineGridModel::FillGrid()
{
    beginResetModel();
    const int count = document_.model().baselineCount();
    rows_.clear();
    rows_.reserve(count);
    for (int b = 1; b <= count; ++b)
        rows_.append({b, true});
    endResetModel();
    emit switchesChanged();
}

QString BaselineGridModel::cellText(int row, int column) const
{
    const ProjectModel& m = document_.model();
    const int b = rows_[row].baseline;
    if (column == GridColumn::No)
        return QString::number(b);
    if (column == GridColumn::SW)
        return rows_[row].switchOn ? switchOnText : switchOffText;
    if (!m.hasBaseline(b))
        return {};
    const BaselineRecord& baseline = m.baselines[b];
    const OccupationRecord& s = m.startOccupationOf(baseline);
    const OccupationRecord& e = m.endOccupationOf(baseline);
    switch (column) {
    case GridColumn::Session: return baseline.session;
    case GridColumn::StartTime: return gridTimeText(baseline.startTime, timeView_);
    case GridColumn::EndTime: return gridTimeText(baseline.endTime, timeView_);
    case GridColumn::StartPointName: return s.pointName;
    case GridColumn::StartPtCode: return s.ptCode;
    case GridColumn::EndPointName: return e.pointName;
    case GridColumn::EndPtCode: return e.ptCode;
    case GridColumn::StartReceiverName: return s.receiverName;
    case GridColumn::StartReceiverSN: return s.receiverSN;
    case GridColumn::StartAntennaName: return s.antennaName;
    case GridColumn::StartAntennaSN: return s.antennaSN;
    case GridColumn::EndReceiverName: return e.receiverName;
    case GridColumn::EndReceiverSN: return e.receiverSN;
    case GridColumn::EndAntennaName: return e.antennaName;
    case GridColumn::EndAntennaSN: return e.antennaSN;
    case GridColumn::MinSVs: return baseline.minSVs;
    case GridColumn::Frequency: return baseline.frequency;
    case GridColumn::PPMode: return baseline.ppMode;
    default: return {};
    }
}

void BaselineGridModel::toggleSwitch(int row)
{
    if (row < 0 || row >= rows_.size())
        return;
    rows_[row].switchOn = !rows_[row].switchOn;
    const QModelIndex cell = index(row, GridColumn::SW);
    emit dataChanged(cell, cell, {Qt::DisplayRole});
    emit switchesChanged();
}

void BaselineGridModel::setAllSwitches(bool on)
{
    for (GridRow& r : rows_)
        r.switchOn = on;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, GridColumn::SW), index(int(rows_.size()) - 1, GridColumn::SW),
                         {Qt::DisplayRole});
    emit switchesChanged();
}

QSet<int> BaselineGridModel::switchedOffBaselines() const
{
    QSet<int> off;
    for (const GridRow& r : rows_)
        if (!r.switchOn)
            off.insert(r.baseline);
    return off;
}

int BaselineGridModel::rowOfBaseline(int baseline) const
{
    for (int row = 0; row < int(rows_.size()); ++row)
        if (rows_[row].baseline == baseline)
            return row;
    return -1;
}

QList<int> BaselineGridModel::switchedOnBaselines() const
{
    QList<int> on;
    for (const GridRow& r : rows_)
        if (r.switchOn)
            on.append(r.baseline);
    return on;
}

void BaselineGridModel::setTimeView(TimeView view)
{
    timeView_ = view;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, GridColumn::StartTime),
                         index(int(rows_.size()) - 1, GridColumn::EndTime), {Qt::DisplayRole});
}

void BaselineGridModel::sortByBaselineIndex()
{
    QList<GridRow> rows = rows_;
    std::stable_sort(rows.begin(), rows.end(),
                     [](const GridRow& a, const GridRow& b) { return a.baseline < b.baseline; });
    reorder(std::move(rows));
}

void BaselineGridModel::sortByColumnText(int column)
{
    if (column < 0 || column >= GridColumn::Count)
        return;
    // Each key is computed once: a time cell is parsed and formatted to be compared.
    struct Keyed
    {
        QString key;
        GridRow row;
    };
    QList<Keyed> keyed;
    keyed.reserve(rows_.size());
    for (int r = 0; r < rows_.size(); ++r)
        keyed.append({cellText(r, column), rows_[r]});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return QStringView(a.key).compare(QStringView(b.key), Qt::CaseSensitive) < 0;
    });
    QList<GridRow> rows;
    rows.reserve(keyed.size());
    for (const Keyed& k : keyed)
        rows.append(k.row);
    reorder(std::move(rows));
}

void BaselineGridModel::reorder(QList<GridRow> rows)
{
    // Selections stay on their row numbers, as a grid's selection does; only the
    // contents move.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    rows_ = std::move(rows);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void BaselineGridModel::refreshCells(const ProjectChange& change)
{
    int firstColumn = GridColumn::Count;
    int lastColumn = -1;
    for (const ProjectField field : change.fields) {
        for (const int column : ColumnsOfField(field)) {
            firstColumn = std::min(firstColumn, column);
            lastColumn = std::max(lastColumn, column);
        }
    }
    if (lastColumn < 0 || change.baselines.isEmpty())
        return;
    const QSet<int> changed(change.baselines.begin(), change.baselines.end());
    // One notice per run of neighbouring rows, so a sorted grid still gets few notices.
    int runStart = -1;
    for (int row = 0; row <= int(rows_.size()); ++row) {
        const bool hit = row < int(rows_.size()) && changed.contains(rows_[row].baseline);
        if (hit && runStart < 0)
            runStart = row;
        if (!hit && runStart >= 0) {
            emit dataChanged(index(runStart, firstColumn), index(row - 1, lastColumn),
                             {Qt::DisplayRole});
            runStart = -1;
        }
    }
}
