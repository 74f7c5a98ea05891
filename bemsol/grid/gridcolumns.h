#pragma once

#include <QString>

#include <array>

// The twenty columns of the baseline grid. Their numbers are part of the program's
// vocabulary (the cell editor acts on columns 9 to 19, the report writer reads column 1),
// so they are named here once.
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
