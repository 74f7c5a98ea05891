#pragma once

#include "model/outcome.h"
#include "xmlwriter.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QXmlStreamReader;

// Copies an XML part token by token, letting the caller change what it needs at element
// starts and ends. The reader does no namespace processing: names are as written.
struct XmlRewrite
{
    enum class Start {
        Copy,    // copy the start tag
        Skip,    // drop the element with everything inside it
        Written, // the hook wrote the start tag itself
    };
    // `depth` is 1 for the root element.
    std::function<Start(const QXmlStreamReader&, int depth, XmlWriter&)> onStart;
    // Called before an end tag is copied.
    std::function<void(const QXmlStreamReader&, int depth, XmlWriter&)> onEnd;
};

// The rewritten part, or the XML reader's message when it is not well-formed.
Result<QByteArray> RewriteXml(const QByteArray& xml, const XmlRewrite& rewrite);

// "x:" when the element's name has a prefix, otherwise empty: new elements follow the
// part's own spelling of its namespace.
QString PrefixOf(const QXmlStreamReader& reader);
