#include "jsontext.h"

void AppendJsonString(QByteArray& out, QStringView text)
{
    out += '"';
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            out += '\\';
            out += char(u);
        } else if (u < 0x20 || c.isSurrogate()) {
            out += "\\u" + QByteArray::number(u, 16).rightJustified(4, '0');
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += QStringView(&c, 1).toUtf8();
        }
    }
    out += '"';
}
