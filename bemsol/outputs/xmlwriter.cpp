#include "xmlwriter.h"

#include <QXmlStreamReader>

namespace {

void appendUtf8(QByteArray& out, QStringView text)
{
    out.append(text.toUtf8());
}

template <bool attribute>
void appendEscaped(QByteArray& out, QStringView text)
{
    qsizetype plainStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > plainStart)
            appendUtf8(out, text.sliced(plainStart, end - plainStart));
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* entity = nullptr;
        switch (c) {
        case u'&': entity = "&amp;"; break;
        case u'<': entity = "&lt;"; break;
        case u'>': entity = "&gt;"; break;
        case u'\r': entity = "&#13;"; break;
        case u'"': entity = attribute ? "&quot;" : nullptr; break;
        case u'\n': entity = attribute ? "&#10;" : nullptr; break;
        case u'\t': entity = attribute ? "&#9;" : nullptr; break;
        default: break;
        }
        if (entity) {
            flush(i);
            out.append(entity);
            plainStart = i + 1;
        }
    }
    flush(text.size());
}

} // namespace

void XmlWriter::appendEscapedText(QByteArray& out, QStringView text)
{
    appendEscaped<false>(out, text);
}

void XmlWriter::appendEscapedAttribute(QByteArray& out, QStringView text)
{
    appendEscaped<true>(out, text);
}

void XmlWriter::closePendingStartTag()
{
    if (startTagOpen_) {
        out_->append('>');
        startTagOpen_ = false;
    }
}

void XmlWriter::writeDeclaration(bool standalone)
{
    out_->append(standalone ? "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
                            : "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
}

void XmlWriter::startElement(QStringView qualifiedName)
{
    closePendingStartTag();
    out_->append('<');
    appendUtf8(*out_, qualifiedName);
    startTagOpen_ = true;
}

void XmlWriter::attribute(QStringView qualifiedName, QStringView value)
{
    out_->append(' ');
    appendUtf8(*out_, qualifiedName);
    out_->append("=\"");
    appendEscapedAttribute(*out_, value);
    out_->append('"');
}

void XmlWriter::attributes(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& a : attributes)
        attribute(a.qualifiedName(), a.value());
}

void XmlWriter::endElement(QStringView qualifiedName)
{
    if (startTagOpen_) {
        out_->append("/>");
        startTagOpen_ = false;
        return;
    }
    out_->append("</");
    appendUtf8(*out_, qualifiedName);
    out_->append('>');
}

void XmlWriter::characters(QStringView text)
{
    if (text.isEmpty())
        return;
    closePendingStartTag();
    appendEscapedText(*out_, text);
}

void XmlWriter::raw(const QByteArray& bytes)
{
    closePendingStartTag();
    out_->append(bytes);
}

void XmlWriter::copyCurrent(const QXmlStreamReader& reader)
{
    switch (reader.tokenType()) {
    case QXmlStreamReader::StartDocument:
        writeDeclaration(reader.isStandaloneDocument());
        break;
    case QXmlStreamReader::StartElement:
        startElement(reader.qualifiedName());
        attributes(reader.attributes());
        break;
    case QXmlStreamReader::EndElement:
        endElement(reader.qualifiedName());
        break;
    case QXmlStreamReader::Characters:
        if (reader.isCDATA()) {
            closePendingStartTag();
            out_->append("<![CDATA[");
            appendUtf8(*out_, reader.text());
            out_->append("]]>");
        } else {
            characters(reader.text());
        }
        break;
    case QXmlStreamReader::Comment:
        closePendingStartTag();
        out_->append("<!--");
        appendUtf8(*out_, reader.text());
        out_->append("-->");
        break;
    case QXmlStreamReader::ProcessingInstruction:
        closePendingStartTag();
        out_->append("<?");
        appendUtf8(*out_, reader.processingInstructionTarget());
        if (!reader.processingInstructionData().isEmpty()) {
            out_->append(' ');
            appendUtf8(*out_, reader.processingInstructionData());
        }
        out_->append("?>");
        break;
    case QXmlStreamReader::EntityReference:
        closePendingStartTag();
        out_->append('&');
        appendUtf8(*out_, reader.name());
        out_->append(';');
        break;
    default:
        // Document end, DTD (a package part has none that matters), invalid token.
        break;
    }
}
