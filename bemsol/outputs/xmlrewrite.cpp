#include "xmlrewrite.h"

#include <QXmlStreamReader>

Result<QByteArray> RewriteXml(const QByteArray& xml, const XmlRewrite& rewrite)
{
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    QByteArray out;
    out.reserve(xml.size() + 256);
    XmlWriter writer(&out);
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.hasError())
            break;
        if (reader.tokenType() == QXmlStreamReader::StartElement) {
            ++depth;
            const auto action = rewrite.onStart ? rewrite.onStart(reader, depth, writer) : XmlRewrite::Start::Copy;
            if (action == XmlRewrite::Start::Skip) {
                reader.skipCurrentElement();
                --depth;
                continue;
            }
            if (action == XmlRewrite::Start::Written)
                continue;
        } else if (reader.tokenType() == QXmlStreamReader::EndElement) {
            if (rewrite.onEnd)
                rewrite.onEnd(reader, depth, writer);
            --depth;
        }
        writer.copyCurrent(reader);
    }
    if (reader.hasError())
        return Outcome::failure(reader.errorString());
    return out;
}

QString PrefixOf(const QXmlStreamReader& reader)
{
    const QStringView prefix = reader.prefix();
    return prefix.isEmpty() ? QString() : prefix.toString() + u':';
}
