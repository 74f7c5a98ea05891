#pragma once

#include <QByteArray>
#include <QStringView>
#include <QXmlStreamAttributes>

class QXmlStreamReader;

// Writes XML as UTF-8 into a byte array: the tokens of a QXmlStreamReader copied one by
// one, and new elements in between. The workbook parts are rewritten by reading them
// with QXmlStreamReader and passing every token through here, so that whatever is not
// changed on purpose comes out as it went in. Elements with no content are written in
// their short form.
class XmlWriter
{
public:
    explicit XmlWriter(QByteArray* out) : out_(out) {}

    // The current token of `reader`, which reads with namespace processing switched off
    // so that prefixes and namespace declarations are plain names and attributes.
    void copyCurrent(const QXmlStreamReader& reader);

    void writeDeclaration(bool standalone);
    void startElement(QStringView qualifiedName);
    void attribute(QStringView qualifiedName, QStringView value);
    void attributes(const QXmlStreamAttributes& attributes);
    void endElement(QStringView qualifiedName);
    void characters(QStringView text);
    // Bytes that are already well-formed XML (pre-built cells and rows).
    void raw(const QByteArray& bytes);

    static void appendEscapedText(QByteArray& out, QStringView text);
    static void appendEscapedAttribute(QByteArray& out, QStringView text);

private:
    void closePendingStartTag();

    QByteArray* out_;
    bool startTagOpen_ = false;
};
