#pragma once

#include "pagesource.h"

#include <QString>

#include <memory>
#include <optional>

// Raised inside the reader when the report lacks what it needs; the reader turns it into
// the Outcome its caller sees. `message` already names the page.
struct ReportFault
{
    QString message;
};

// One open page of a results report, read forward line by line as code page 932 text.
// The reader never parses HTML: it finds a table by the line that opens it and takes each
// value from a fixed line after that.
class ReportPage
{
public:
    // Throws ReportFault when the page cannot be opened.
    ReportPage(PageSource& source, const QString& path);

    const QString& path() const { return path_; }

    // The next line without its terminator, or nothing at the end of the page.
    std::optional<QString> nextLine();

    // The next line; at the end of the page a ReportFault saying the page ends inside
    // `what`.
    QString readLine(const QString& what);

    // Reads up to and including the first line that, with blanks trimmed at both ends,
    // begins with `prefix`. False when the page ends first.
    bool SkipToLine(QStringView prefix);

    // SkipToLine, where a missing line is a fault naming `what`.
    void requireLine(QStringView prefix, const QString& what);

    void SkipLines(int n, const QString& what);

    // Reads three lines and takes from the third the page it links to: the name after the
    // last double quote before the line's last "htm", in the directory of this page.
    QString NextPageLink();

    // A ReportFault whose message is `text` followed by this page's path.
    ReportFault fault(const QString& text) const;
    static ReportFault fault(const QString& text, const QString& path);

private:
    QString path_;
    std::unique_ptr<QIODevice> device_;
};

// The file name a link line names: the text after the last double quote before the "htm"
// at `htmAt`, with the "htm". A link to a name in "html" so yields one in "htm".
QString linkTarget(QStringView line, qsizetype htmAt);

// The directory of a page, with its trailing separator: the place a link is resolved in.
QString directoryOf(const QString& pagePath);

// Blanks are spaces and tabs: the indentation a report writer may put before a tag.
QString trimBlanks(QStringView text);
