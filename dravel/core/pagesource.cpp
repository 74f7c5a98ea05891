#include "pagesource.h"

#include <QFile>
#include <QFileInfo>

std::unique_ptr<QIODevice> FilePageSource::open(const QString& path)
{
    // A directory or device named in a link is as unreadable as a missing page.
    if (!QFileInfo(path).isFile())
        return nullptr;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}
