#include "reportpage.h"

#include "shiftjis.h"

#include <QDir>

namespace {
// Report lines are short; a longer one means the file is no report, and reading it whole
// could exhaust memory.
constexpr qint64 maxLineBytes = 1 << 20;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
} // namespace

QString directoryOf(const QString& pagePath)
{
    return pagePath.left(pagePath.lastIndexOf(u'/') + 1);
}

QString linkTarget(QStringView line, qsizetype htmAt)
{
    const QStringView link = line.left(htmAt + 3);
    return link.sliced(link.lastIndexOf(u'"') + 1).toString();
}

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

ReportPage::ReportPage(PageSource& source, const QString& path)
    : path_(path), device_(source.open(path))
{
    if (!device_)
        throw fault(QStringLiteral("ファイルを開けません。"));
}

std::optional<QString> ReportPage::nextLine()
{
    if (device_->atEnd())
        return std::nullopt;
    QByteArray bytes;
    char chunk[4096];
    while (!bytes.endsWith('\n')) {
        const qint64 n = device_->readLine(chunk, sizeof chunk);
        if (n <= 0)
            break;
        bytes.append(chunk, n);
        if (bytes.size() > maxLineBytes)
            throw fault(QStringLiteral("長すぎる行があります。HTMLの結果レポートではないようです。"));
    }
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return decodeShiftJis(bytes);
}

QString ReportPage::readLine(const QString& what)
{
    std::optional<QString> line = nextLine();
    if (!line)
        throw fault(QStringLiteral("ページが%1の途中で終わっています。").arg(what));
    return *std::move(line);
}

bool ReportPage::SkipToLine(QStringView prefix)
{
    while (const std::optional<QString> line = nextLine()) {
        if (trimBlanks(*line).startsWith(prefix))
            return true;
    }
    return false;
}

void ReportPage::requireLine(QStringView prefix, const QString& what)
{
    if (!SkipToLine(prefix))
        throw fault(QStringLiteral("%1（%2 の行）がありません。").arg(what, prefix.toString()));
}

void ReportPage::SkipLines(int n, const QString& what)
{
    for (int i = 0; i < n; ++i)
        readLine(what);
}

QString ReportPage::NextPageLink()
{
    const QString what = QStringLiteral("次ページへのリンク");
    SkipLines(2, what);
    const QString line = readLine(what);
    const qsizetype htm = line.lastIndexOf(u"htm");
    if (htm < 0)
        throw fault(QStringLiteral("%1（.htm）がありません。").arg(what));
    return directoryOf(path_) + linkTarget(line, htm);
}

ReportFault ReportPage::fault(const QString& text) const
{
    return fault(text, path_);
}

ReportFault ReportPage::fault(const QString& text, const QString& path)
{
    return {QStringLiteral("%1\nファイル: %2").arg(text, QDir::toNativeSeparators(path))};
}
