#include "numericdatawriter.h"

#include "shiftjis.h"

#include <QDir>
#include <QSaveFile>

namespace {

// Builds the file field by field, refusing a field that would break the comma-separated
// layout or that cannot be written in code page 932. The first refusal wins.
class RecordWriter
{
public:
    void record(QStringView code) { field(code, {}); }

    // `what` names the field for the user.
    void field(QStringView value, const QString& what)
    {
        if (!outcome)
            return;
        if (value.contains(u',') || value.contains(u'\r') || value.contains(u'\n')) {
            outcome = dravel::Outcome::failure(QStringLiteral("%1にカンマ(,)や改行を含めることはできません。").arg(what));
            return;
        }
        const std::optional<QByteArray> encoded = encodeShiftJis(value);
        if (!encoded) {
            outcome = dravel::Outcome::failure(
                QStringLiteral("%1に Shift-JIS で書けない文字が含まれています。").arg(what));
            return;
        }
        bytes += *encoded;
        bytes += ',';
    }

    void endRecord() { bytes += "\r\n"; }

    QByteArray bytes;
    dravel::Outcome outcome;
};

const QString workContentBox = QStringLiteral("作業内容");
const QString zoneBox = QStringLiteral("平面直角座標系");

void writeOptionRecords(RecordWriter& out, const NumericDataOptions& options)
{
    out.record(u"Z00");
    out.field(workCategoryText(options.workCategory), QStringLiteral("作業区分"));
    out.endRecord();
    out.record(u"Z01");
    out.field(options.workContent, workContentBox);
    out.endRecord();
    out.record(u"Z02");
    out.field(options.datum == GeodeticDatum::Japan ? u"1" : u"0", QStringLiteral("測地系"));
    out.field(options.zone, zoneBox);
    out.endRecord();
}

void writePointRecord(RecordWriter& out, const ResultPoint& p, const QString& zone)
{
    const auto what = [&p](const char16_t* field) {
        return QStringLiteral("点 %1 の%2").arg(p.PointNumber, QString::fromUtf16(field));
    };
    out.record(u"A01");
    out.field(p.PointNumber, what(u"点番号"));
    out.field(p.PointName, what(u"点名"));
    out.field(p.Latitude, what(u"緯度"));
    out.field(p.Longitude, what(u"経度"));
    out.field(p.X, what(u"X座標"));
    out.field(p.Y, what(u"Y座標"));
    out.field(zone, zoneBox);
    out.field(p.ResultValue, what(u"成果表の値"));
    out.field(p.ListValue, what(u"座標一覧の値"));
    out.endRecord();
}

} // namespace

dravel::Outcome NumericDataWriter::checkOptions(const NumericDataOptions& options)
{
    RecordWriter out;
    writeOptionRecords(out, options);
    return out.outcome;
}

dravel::Outcome NumericDataWriter::encode(const QList<ResultPoint>& points,
                                  const NumericDataOptions& options, QByteArray& bytes)
{
    bytes.clear();
    RecordWriter out;
    writeOptionRecords(out, options);
    out.record(u"A00");
    out.endRecord();
    for (const ResultPoint& p : points) {
        if (!out.outcome)
            break;
        writePointRecord(out, p, options.zone);
    }
    out.record(u"A99");
    out.endRecord();
    if (out.outcome)
        bytes = std::move(out.bytes);
    return out.outcome;
}

dravel::Outcome NumericDataWriter::write(const QString& path, const QList<ResultPoint>& points,
                                 const NumericDataOptions& options)
{
    QByteArray bytes;
    if (dravel::Outcome f = encode(points, options, bytes); !f)
        return f;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return dravel::Outcome::success();
    return dravel::Outcome::failure(QStringLiteral("ファイルに書き込めません。\nファイル: %1\n%2")
                .arg(QDir::toNativeSeparators(path), file.errorString()));
}
