#include "diagramjson.h"

namespace {

void appendString(QByteArray& out, QStringView text)
{
    out += '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20 || c.isSurrogate()) {
            out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        } else {
            out += QStringView(&c, 1).toUtf8();
        }
    }
    out += '"';
}

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
        appendString(out, p.number);
        out += ",\"name\":";
        appendString(out, p.name);
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
        appendString(out, layout.points[b.from].number);
        out += ",\"to\":";
        appendString(out, layout.points[b.to].number);
        out += ",\"session\":";
        appendString(out, layout.sessions[b.session].name);
        out += '}';
    }
    out += "]}\n";
    return out;
}
