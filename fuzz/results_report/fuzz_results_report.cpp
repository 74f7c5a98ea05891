// Feeds whole results reports to the reader. The input holds the pages separated by NUL
// bytes: the first is the frame set, each further one begins with its file name on a line
// of its own. All pages lie in one folder, so links resolve to those names.

#include "core/numericdatawriter.h"
#include "core/resultsreportreader.h"
#include "core/shiftjis.h"

#include <QBuffer>
#include <QHash>

#include <cstddef>
#include <cstdint>

namespace {

const QString folder = QStringLiteral("/report/");

class MemoryPages final : public PageSource
{
public:
    std::unique_ptr<QIODevice> open(const QString& path) override
    {
        const auto page = pages.constFind(path);
        if (page == pages.cend())
            return nullptr;
        auto buffer = std::make_unique<QBuffer>();
        buffer->setData(*page);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    }

    QHash<QString, QByteArray> pages;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts =
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    MemoryPages source;
    const QString frameSet = folder + QStringLiteral("report.htm");
    source.pages.insert(frameSet, parts.constFirst());
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const qsizetype end = parts[i].indexOf('\n');
        if (end < 0)
            continue;
        source.pages.insert(folder + decodeShiftJis(parts[i].left(end)), parts[i].sliced(end + 1));
    }

    const ReportReading report = ResultsReportReader(source).read(frameSet);
    if (report.outcome) {
        QByteArray bytes;
        (void)NumericDataWriter::encode(report.points, {}, bytes);
    }
    return 0;
}
