#include "checkjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QLocale>

#include <optional>

namespace {

QByteArray number(double value)
{
    if (value == 0)
        return "0"; // no "-0"
    return QByteArray::number(value, 'f', QLocale::FloatingPointShortest);
}

QByteArray number(const std::optional<double>& value)
{
    return value ? number(*value) : QByteArray("null");
}

// Minutes keep a decimal point even when whole, as a duration reads: 119.0.
QByteArray minutes(const std::optional<double>& value)
{
    QByteArray text = number(value);
    if (value && !text.contains('.'))
        text += ".0";
    return text;
}

QByteArray boolean(bool value)
{
    return value ? "true" : "false";
}

QByteArray string(const QString& text)
{
    // QJsonValue's own quoting, so every control character is escaped properly.
    const QByteArray wrapped = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

QByteArray integers(const QList<int>& values)
{
    QByteArray out = "[";
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += ',';
        out += QByteArray::number(values[i]);
    }
    return out + ']';
}

QByteArray vectorFields(const VectorCheck& v)
{
    return "\"dX\":" + number(v.dX) + ",\"dY\":" + number(v.dY) + ",\"dZ\":" + number(v.dZ) +
           ",\"dN\":" + number(v.dN) + ",\"dE\":" + number(v.dE) + ",\"dU\":" + number(v.dU) +
           ",\"limitNE\":" + number(v.limitNE) + ",\"limitU\":" + number(v.limitU) +
           ",\"pass\":" + boolean(v.pass);
}

QByteArray loop(const LoopCheck& l)
{
    return "{\"path\":" + integers(l.path()) + ",\"sides\":" + QByteArray::number(l.sideCount()) +
           ',' + vectorFields(l.closure) + '}';
}

QByteArray repeat(const RepeatCheck& r)
{
    return "{\"first\":" + QByteArray::number(r.first) + ",\"other\":" +
           QByteArray::number(r.other) + ",\"reversed\":" + boolean(r.reversed) + ',' +
           vectorFields(r.difference) + '}';
}

QByteArray unusable(const UnusableBaseline& u)
{
    return "{\"baseline\":" + QByteArray::number(u.baseline) + ",\"reason\":" + string(u.reason) +
           '}';
}

QByteArray condition(const ConditionCheck& c)
{
    QByteArray problems = "[";
    const QStringList names = c.problems();
    for (qsizetype i = 0; i < names.size(); ++i)
        problems += (i > 0 ? "," : "") + string(names[i]);
    problems += ']';
    return "{\"baseline\":" + QByteArray::number(c.baseline) + ",\"minutes\":" + minutes(c.minutes) +
           ",\"interval\":" + number(c.interval) + ",\"satellites\":" +
           QByteArray::number(c.satellites) + ",\"elevation\":" + number(c.elevation) +
           ",\"problems\":" + problems + '}';
}

template <class T, class F>
QByteArray array(const QList<T>& items, F write)
{
    if (items.isEmpty())
        return "[]";
    QByteArray out = "[\n";
    for (qsizetype i = 0; i < items.size(); ++i) {
        out += write(items[i]);
        out += i + 1 < items.size() ? ",\n" : "\n";
    }
    return out + ']';
}

} // namespace

QByteArray CheckResultToJson(const CheckResult& result)
{
    QByteArray out = "{\"loops\":" + array(result.loops, loop);
    out += ",\n\"repeats\":" + array(result.repeats, repeat);
    out += ",\n\"unchecked\":" + integers(result.unchecked);
    out += ",\n\"unusable\":" + array(result.unusable, unusable);
    out += ",\n\"conditions\":" + array(result.conditions, condition);
    out += ",\n\"pass\":" + boolean(result.pass()) + "}\n";
    return out;
}
