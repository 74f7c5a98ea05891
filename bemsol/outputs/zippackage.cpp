#include "zippackage.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <QBuffer>
#include <QSaveFile>

#include <zlib.h>

#include <algorithm>

namespace {

constexpr int methodStored = 0;
constexpr int methodDeflated = Z_DEFLATED;
constexpr quint16 flagEncrypted = 0x0001;

QString damaged()
{
    return QStringLiteral("ファイルが壊れているか、読めない形式です");
}

// Raw deflate data of a part, inflated up to `limit` bytes; nothing when the data is
// damaged, larger than the limit, or not the size the directory claims.
std::optional<QByteArray> inflateRaw(const QByteArray& raw, quint64 expectedSize, qint64 limit)
{
    if (expectedSize > quint64(limit))
        return std::nullopt;
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return std::nullopt;
    QByteArray out;
    // The claimed size is only a hint: deflate cannot expand more than about 1032 to 1,
    // and the output grows as data comes anyway.
    out.reserve(qsizetype(std::min({expectedSize, quint64(raw.size()) * 1032u, quint64(64u << 20)})));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
    stream.avail_in = uInt(raw.size());
    char chunk[64 * 1024];
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        stream.next_out = reinterpret_cast<Bytef*>(chunk);
        stream.avail_out = sizeof chunk;
        rc = inflate(&stream, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
        const qsizetype produced = qsizetype(sizeof chunk - stream.avail_out);
        if (out.size() + produced > limit) {
            rc = Z_MEM_ERROR;
            break;
        }
        out.append(chunk, produced);
        if (rc == Z_OK && produced == 0 && stream.avail_in == 0) {
            rc = Z_DATA_ERROR; // truncated stream
            break;
        }
    }
    inflateEnd(&stream);
    if (rc != Z_STREAM_END || quint64(out.size()) != expectedSize)
        return std::nullopt;
    return out;
}

quint32 crcOf(const QByteArray& data)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    // crc32 takes an unsigned int length: feed large parts in pieces.
    qsizetype done = 0;
    while (done < data.size()) {
        const qsizetype piece = qMin<qsizetype>(data.size() - done, 1 << 30);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data.constData() + done), uInt(piece));
        done += piece;
    }
    return quint32(crc);
}

} // namespace

Result<ZipPackage> ZipPackage::fromBytes(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        return Outcome::failure(damaged());

    ZipPackage package;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        if (package.entries_.size() >= maxParts)
            return Outcome::failure(damaged());
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info))
            return Outcome::failure(damaged());
        if (info.flags & flagEncrypted)
            return Outcome::failure(QStringLiteral("パスワードで保護されたファイルは扱えません"));
        if (info.method != methodStored && info.method != methodDeflated)
            return Outcome::failure(damaged());

        Entry entry;
        entry.name = info.name;
        entry.dateTime = info.dateTime;
        entry.externalAttr = info.externalAttr;
        entry.crc = info.crc;
        entry.uncompressedSize = info.uncompressedSize;

        QuaZipFile file(&zip);
        int method = 0;
        int level = 0;
        if (!file.open(QIODevice::ReadOnly, &method, &level, true))
            return Outcome::failure(damaged());
        // Raw data cannot be larger than the container that holds it.
        entry.raw = file.readAll();
        file.close();
        if (file.getZipError() != UNZ_OK || quint64(entry.raw.size()) != info.compressedSize)
            return Outcome::failure(damaged());
        entry.method = method;
        entry.level = level;
        // Parts are copied as they are into the working copy: a damaged one is found
        // here, not by the spreadsheet the user opens it in.
        if (!decode(entry))
            return Outcome::failure(damaged());
        package.entries_.append(std::move(entry));
    }
    if (zip.getZipError() != UNZ_OK && zip.getZipError() != UNZ_END_OF_LIST_OF_FILE)
        return Outcome::failure(damaged());
    zip.close();
    return package;
}

QStringList ZipPackage::names() const
{
    QStringList list;
    for (const Entry& e : entries_)
        list << e.name;
    return list;
}

qsizetype ZipPackage::indexOf(const QString& name) const
{
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (entries_[i].name == name)
            return i;
    // Part names of a package compare without regard to case.
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (entries_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

std::optional<QByteArray> ZipPackage::read(const QString& name) const
{
    const qsizetype i = indexOf(name);
    if (i < 0)
        return std::nullopt;
    return decode(entries_[i]);
}

std::optional<QByteArray> ZipPackage::decode(const Entry& e)
{
    if (e.replaced)
        return e.content;
    std::optional<QByteArray> data;
    if (e.method == methodStored) {
        if (quint64(e.raw.size()) == e.uncompressedSize)
            data = e.raw;
    } else {
        data = inflateRaw(e.raw, e.uncompressedSize, maxPartSize);
    }
    if (!data || crcOf(*data) != e.crc)
        return std::nullopt;
    return data;
}

void ZipPackage::write(const QString& name, QByteArray content)
{
    qsizetype i = indexOf(name);
    if (i < 0) {
        Entry e;
        e.name = name;
        e.externalAttr = 0;
        entries_.append(std::move(e));
        i = entries_.size() - 1;
    }
    Entry& e = entries_[i];
    e.replaced = true;
    e.content = std::move(content);
    e.raw.clear();
    e.dateTime = timestamp_.isValid() ? timestamp_ : QDateTime::currentDateTime();
}

void ZipPackage::remove(const QString& name)
{
    const qsizetype i = indexOf(name);
    if (i >= 0)
        entries_.removeAt(i);
}

Outcome ZipPackage::writeTo(QIODevice* device) const
{
    QuaZip zip(device);
    zip.setAutoClose(false);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return Outcome::failure(device->errorString());
    bool ok = true;
    for (const Entry& e : entries_) {
        QuaZipNewInfo info(e.name);
        info.dateTime = e.dateTime;
        info.externalAttr = e.externalAttr;
        QuaZipFile file(&zip);
        if (e.replaced) {
            ok = file.open(QIODevice::WriteOnly, info, nullptr, 0, methodDeflated,
                           Z_DEFAULT_COMPRESSION);
            ok = ok && file.write(e.content) == e.content.size();
        } else {
            info.uncompressedSize = ulong(e.uncompressedSize);
            ok = file.open(QIODevice::WriteOnly, info, nullptr, e.crc, e.method, e.level, true);
            ok = ok && file.write(e.raw) == e.raw.size();
        }
        file.close();
        ok = ok && file.getZipError() == ZIP_OK;
        if (!ok)
            break;
    }
    zip.close();
    ok = ok && zip.getZipError() == ZIP_OK;
    if (!ok)
        return Outcome::failure(device->errorString());
    return Outcome::success();
}

Result<QByteArray> ZipPackage::toBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly))
        return Outcome::failure(QString());
    if (const Outcome written = writeTo(&buffer); !written)
        return written;
    buffer.close();
    return bytes;
}

Outcome ZipPackage::save(const QString& path) const
{
    QSaveFile file(path);
    QString error;
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        const Outcome written = writeTo(&file);
        ok = written && file.commit();
        error = written.message;
    }
    if (!ok) {
        if (error.isEmpty())
            error = file.errorString();
        return Outcome::failure(
            QStringLiteral("ファイルを書き込めません: %1\n%2").arg(path, error));
    }
    return Outcome::success();
}
