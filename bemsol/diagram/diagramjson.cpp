#include "diagramjson.h"

#include "model/jsontext.h"

namespace {

void appendMetres(QByteArray& out, double metres)
{
    QByteArray text = QByteArray::number(metres, 'f', 3);
    if (text == "-0.000")
        text = "0.000";
    out += text;
}

} // namespace

QByteArray DiagramToJson(const DiagramLayout& layout)
{
    QByteArray out = "{\"zone\":";
    out += layout.zone == 0 ? QByteArray("null") : QByteArray::number(layout.zone);
    out += ",\"points\":[";
    for (qsizetype i = 0; i < layout.points.size(); ++i) {
        const DiagramPoint& p = layout.points[i];
        out += i ? ",{\"number\":" : "{\"number\":";
        AppendJsonString(out, p.number);
        out += ",\"name\":";
        AppendJsonString(out, p.name);
        out += ",\"x\":";
        appendMetres(out, p.x);
        out += ",\"y\":";
        appendMetres(out, p.y);
        out += '}';
    }
    out += "],\"baselines\":[";
    for (qsizetype i = 0; i < layout.baselines.size(); ++i) {
        const DiagramBaseline& b = layout.baselines[i];
        out += i ? ",{\"baseline\":" : "{\"baseline\":";
        out += QByteArray::number(b.baseline);
        out += ",\"from\":";
        AppendJsonString(out, layout.points[b.from].number);
        out += ",\"to\":";
        AppendJsonString(out, layout.points[b.to].number);
        out += ",\"session\":";
        AppendJsonString(out, layout.sessions[b.session].name);
        out += '}';
    }
    out += "]}\n";
    return out;
}
