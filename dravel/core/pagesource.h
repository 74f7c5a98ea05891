#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

// Where the reader finds the pages of a results report. Files on disk in the tool; the
// fuzzer hands in pages held in memory.
class PageSource
{
public:
    virtual ~PageSource() = default;

    // The page at `path` opened for reading, or null when it cannot be opened.
    virtual std::unique_ptr<QIODevice> open(const QString& path) = 0;
};

class FilePageSource final : public PageSource
{
public:
    std::unique_ptr<QIODevice> open(const QString& path) override;
};
