#pragma once

#include "model/projectfield.h"

#include <QList>
#include <QString>

#include <array>
#include <optional>

// The twenty columns of the baseline grid, named here once. The project knows nothing
// of columns: FieldOfColumn says which project text a column shows.
namespace GridColumn {
inline constexpr int No = 0;
inline constexpr int SW = 1;
inline constexpr int Session = 2;
inline constexpr int StartTime = 3;
inline constexpr int EndTime = 4;
inline constexpr int StartPointName = 5;
inline constexpr int StartPtCode = 6;
inline constexpr int EndPointName = 7;
inline constexpr int EndPtCode = 8;
inline constexpr int StartReceiverName = 9;
inline constexpr int StartReceiverSN = 10;
inline constexpr int StartAntennaName = 11;
inline constexpr int StartAntennaSN = 12;
inline constexpr int EndReceiverName = 13;
inline constexpr int EndReceiverSN = 14;
inline constexpr int EndAntennaName = 15;
inline constexpr int EndAntennaSN = 16;
inline constexpr int MinSVs = 17;
inline constexpr int Frequency = 18;
inline constexpr int PPMode = 19;
inline constexpr int Count = 20;
} // namespace GridColumn

struct GridColumnHeader
{
    const char16_t* caption;
    int leadingBlanks; // the padded caption sets the column's initial width
};

inline constexpr std::array<GridColumnHeader, GridColumn::Count> gridColumnHeaders{{
    {u"No", 1},
    {u"SW", 2},
    {u"ｾｯｼｮﾝ", 5},
    {u"開始日時", 12},
    {u"終了日時", 12},
    {u"点番号", 2},
    {u"点名称", 10},
    {u"点番号", 2},
    {u"点名称", 10},
    {u"受信機名称", 2},
    {u"受信機番号", 2},
    {u"ｱﾝﾃﾅﾀｲﾌﾟ", 4},
    {u"ｱﾝﾃﾅ番号", 4},
    {u"受信機名称", 2},
    {u"受信機番号", 2},
    {u"ｱﾝﾃﾅﾀｲﾌﾟ", 4},
    {u"ｱﾝﾃﾅ番号", 4},
    {u"最小衛星数", 2},
    {u"使用周波数", 2},
    {u"解析ﾓｰﾄﾞ", 4},
}};

inline QString gridColumnCaption(int column)
{
    return QString::fromUtf16(gridColumnHeaders[column].caption);
}

inline const QString switchOnText = QStringLiteral("○");
inline const QString switchOffText = QStringLiteral("×");

// The project text a column shows; nothing for "No" and "SW", which the grid owns.
inline std::optional<ProjectField> FieldOfColumn(int column)
{
    static constexpr std::array<ProjectField, GridColumn::Count - 2> fields{{
        ProjectField::Session,           ProjectField::StartTime,        ProjectField::EndTime,
        ProjectField::StartPointName,    ProjectField::StartPtCode,      ProjectField::EndPointName,
        ProjectField::EndPtCode,         ProjectField::StartReceiverName, ProjectField::StartReceiverSN,
        ProjectField::StartAntennaName,  ProjectField::StartAntennaSN,   ProjectField::EndReceiverName,
        ProjectField::EndReceiverSN,     ProjectField::EndAntennaName,   ProjectField::EndAntennaSN,
        ProjectField::MinSVs,            ProjectField::Frequency,        ProjectField::PpMode,
    }};
    if (column < GridColumn::Session || column >= GridColumn::Count)
        return std::nullopt;
    return fields[size_t(column - GridColumn::Session)];
}

// The columns that show `field` (none for fields the grid does not show).
inline QList<int> ColumnsOfField(ProjectField field)
{
    QList<int> columns;
    for (int c = GridColumn::Session; c < GridColumn::Count; ++c)
        if (FieldOfColumn(c) == field)
            columns << c;
    return columns;
}
