#include "projectfile.h"

#include "model/occupationsharing.h"
#include "model/modelfields.h"
#include "model/textcodec.h"

#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>
#include <vector>

namespace {

constexpr int softwareTextSize = 30;
constexpr qsizetype maxTextBytes = 0xFFFF;
constexpr char version102SoftwareText[] = "TrimbleTotalControlSupportData";
constexpr auto version102SwProgram = "Trimble Total Control 2.71";

Outcome refused()
{
    return Outcome::failure(QString::fromUtf16(projectFileRefusedMessage),
                            QString::fromUtf16(projectFileRefusedTitle),
                            Outcome::Severity::Warning); // the exclamation icon
}

// Visual Basic's CLng: to the nearest integer, halves to the even one.
double roundHalfEven(double x)
{
    const double down = std::floor(x);
    const double diff = x - down;
    if (diff < 0.5)
        return down;
    if (diff > 0.5)
        return down + 1.0;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1.0;
}

// Printable ASCII is the same in code page 932 and needs no converter; most fields are
// plain numbers. Control characters go through the converter, which maps a few of them
// differently.
bool isPlainAscii(char16_t c)
{
    return c >= 0x20 && c < 0x7F;
}

std::optional<QByteArray> encodeText(QStringView text)
{
    if (std::all_of(text.begin(), text.end(), [](QChar c) { return isPlainAscii(c.unicode()); }))
        return text.toLatin1();
    return EncodeShiftJis(text);
}

QString decodeText(QByteArrayView bytes)
{
    for (char c : bytes) {
        if (!isPlainAscii(static_cast<unsigned char>(c)))
            return DecodeShiftJis(bytes);
    }
    return QString::fromLatin1(bytes);
}

// `swProgram` as the header's 30 bytes: cut on a character boundary so that no
// double-byte character is split, then filled with blanks. Nothing when a character
// that would be written has no code in code page 932.
std::optional<QByteArray> softwareTextOf(QStringView swProgram)
{
    QByteArray bytes;
    qsizetype i = 0;
    while (i < swProgram.size()) {
        const qsizetype width =
            swProgram[i].isHighSurrogate() && i + 1 < swProgram.size() ? 2 : 1;
        const std::optional<QByteArray> one = encodeText(swProgram.mid(i, width));
        if (!one)
            return std::nullopt;
        if (bytes.size() + one->size() > softwareTextSize)
            break;
        bytes += *one;
        i += width;
    }
    bytes.append(softwareTextSize - bytes.size(), ' ');
    return bytes;
}

// ---------------------------------------------------------------------------------
// Writing

// Writes one record; on the first text the file cannot hold it stops and leaves the
// message in `failure`. The record's name is only put together for that message.
class RecordWriter
{
public:
    RecordWriter(QByteArray& out, QString& failure, const QString& label, qsizetype number)
        : out_(out), failure_(failure), label_(label), number_(number)
    {
    }

    void text(const char* name, const QString& value)
    {
        if (!failure_.isEmpty())
            return;
        if (value.size() <= maxTextBytes && appendPlainAscii(value))
            return;
        const std::optional<QByteArray> bytes = EncodeShiftJis(value);
        if (!bytes)
            return fail(name, unencodableMessage);
        if (bytes->size() > maxTextBytes)
            return fail(name, tooLongMessage);
        appendLittleEndian(quint16(bytes->size()));
        out_ += *bytes;
    }

    void index(const char*, int value) { appendLittleEndian(static_cast<float>(value)); }
    void raw(const char*, quint32 value) { appendLittleEndian(value); }

    template <class R> void record(const char* name, const R& nested)
    {
        nested_ = name;
        visitFields(nested, *this);
        nested_ = nullptr;
    }

private:
    static constexpr auto unencodableMessage = u"%1 の %2 にシフトJISで表せない文字があるため、保存できません。";
    static constexpr auto tooLongMessage = u"%1 の %2 が長すぎる（65535バイトを超える）ため、保存できません。";

    void fail(const char* name, const char16_t* message)
    {
        QString field = QLatin1StringView(name);
        if (nested_)
            field = QLatin1StringView(nested_) + u'.' + field;
        const QString record = number_ > 0 ? label_.arg(number_) : label_;
        failure_ = QString::fromUtf16(message).arg(record, field);
    }

    template <class T> void appendLittleEndian(T value)
    {
        const qsizetype at = out_.size();
        out_.resize(at + qsizetype(sizeof(T)));
        qToLittleEndian(value, out_.data() + at);
    }

    // Most fields are printable ASCII, the same bytes in code page 932: such a text is
    // written with its length as it is checked. False, with nothing written, for any other.
    bool appendPlainAscii(const QString& value)
    {
        const qsizetype at = out_.size();
        const qsizetype n = value.size();
        out_.resize(at + 2 + n);
        char* const out = out_.data() + at;
        qToLittleEndian(quint16(n), out);
        const auto* const in = reinterpret_cast<const char16_t*>(value.constData());
        // Without a branch per character, so that the loop runs many characters a step.
        unsigned outside = 0;
        for (qsizetype i = 0; i < n; ++i) {
            outside |= unsigned(char16_t(in[i] - 0x20) >= 0x5F);
            out[2 + i] = char(in[i]);
        }
        if (outside != 0)
            out_.truncate(at);
        return outside == 0;
    }

    QByteArray& out_;
    QString& failure_;
    const QString& label_;
    qsizetype number_;
    const char* nested_ = nullptr;
};

template <class R>
bool writeRecords(QByteArray& out, QString& failure, const QList<R>& records, const QString& label)
{
    for (qsizetype i = 1; i < records.size() && failure.isEmpty(); ++i) {
        RecordWriter writer(out, failure, label, i);
        visitFields(records[i], writer);
    }
    return failure.isEmpty();
}

// ---------------------------------------------------------------------------------
// Reading

// Which stored fields a version leaves out; these keep their defaults and are filled
// by the conversion steps afterwards.
struct Layout
{
    bool baselineTail = true;      // minSVs, frequency, ppMode, minElevation (105)
    bool occupationElevation = true; // minElevation of an occupation (105)
    bool pointAntennaHeight = true;  // antHeight of a baseline end (104, 105)

    static Layout of(int version)
    {
        return {version >= 105, version >= 105, version >= 104};
    }

    template <class R> bool stored(const char* name) const
    {
        if constexpr (std::is_same_v<R, BaselineRecord>) {
            if (!baselineTail)
                return std::strcmp(name, "minSVs") != 0 && std::strcmp(name, "frequency") != 0 &&
                       std::strcmp(name, "ppMode") != 0 && std::strcmp(name, "minElevation") != 0;
        } else if constexpr (std::is_same_v<R, OccupationRecord>) {
            if (!occupationElevation)
                return std::strcmp(name, "minElevation") != 0;
        } else if constexpr (std::is_same_v<R, PointData>) {
            if (!pointAntennaHeight)
                return std::strcmp(name, "antHeight") != 0;
        }
        return true;
    }
};

// The smallest number of bytes a record of type R takes in a layout (every text
// empty), so that a count can be checked against the bytes left before anything is
// allocated for it.
template <class R> class MinimumSize
{
public:
    explicit MinimumSize(const Layout& layout) : layout_(layout) {}

    void text(const char* name, const QString&)
    {
        if (layout_.stored<R>(name))
            bytes += 2;
    }
    void index(const char*, const int&) { bytes += 4; }
    void raw(const char*, const quint32&) { bytes += 4; }
    template <class N> void record(const char*, const N& nested)
    {
        MinimumSize<N> inner(layout_);
        visitFields(nested, inner);
        bytes += inner.bytes;
    }

    qint64 bytes = 0;

private:
    const Layout& layout_;
};

template <class R> qint64 minimumRecordSize(const Layout& layout)
{
    MinimumSize<R> size(layout);
    const R empty{};
    visitFields(empty, size);
    return size.bytes;
}

// Reads little-endian values from the file's bytes; any read past the end marks the
// file as damaged and yields zeros from then on.
class ByteSource
{
public:
    explicit ByteSource(QByteArrayView bytes) : data_(bytes.data()), left_(bytes.size()) {}

    bool damaged() const { return damaged_; }
    qsizetype left() const { return left_; }

    QByteArrayView take(qsizetype n)
    {
        if (damaged_ || n > left_) {
            damaged_ = true;
            return {};
        }
        QByteArrayView view(data_, n);
        data_ += n;
        left_ -= n;
        return view;
    }

    template <class T> T value()
    {
        const QByteArrayView bytes = take(sizeof(T));
        if (bytes.size() != sizeof(T))
            return T{};
        return qFromLittleEndian<T>(bytes.data());
    }

    QByteArrayView textBytes()
    {
        const quint16 size = value<quint16>();
        return take(size);
    }

    // An index field as it stands, rounded; a value no int can hold is damage.
    int index()
    {
        const double value = roundHalfEven(this->value<float>());
        if (!std::isfinite(value) || value < std::numeric_limits<int>::min() ||
            value > std::numeric_limits<int>::max()) {
            damaged_ = true;
            return 0;
        }
        return int(value);
    }

private:
    const char* data_;
    qsizetype left_;
    bool damaged_ = false;
};

// Texts repeat from one record to the next in the same field (point types, processing
// modes, tracking bars, ...). A text whose bytes equal the previous record's in that
// field shares that record's string instead of decoding and allocating it again. The
// previous record's field is reached by its address, which stays put because the
// records are appended within reserved room (`forget` when that ever changes).
class RepeatedTexts
{
public:
    void startRecord() { field_ = 0; }
    void forget() { slots_.clear(); }

    void read(QByteArrayView bytes, QString& field)
    {
        if (field_ == slots_.size())
            slots_.push_back({});
        Slot& slot = slots_[field_++];
        if (slot.field && slot.bytes.size() == bytes.size() &&
            (bytes.isEmpty() || std::memcmp(slot.bytes.data(), bytes.data(), size_t(bytes.size())) == 0)) {
            field = *slot.field;
        } else {
            field = decodeText(bytes);
        }
        slot.bytes = bytes;
        slot.field = &field;
    }

private:
    struct Slot
    {
        QByteArrayView bytes; // into the file's bytes, which outlive the reading
        const QString* field = nullptr;
    };
    std::vector<Slot> slots_;
    std::size_t field_ = 0;
};

template <class R> class RecordReader
{
public:
    RecordReader(ByteSource& source, const Layout& layout, RepeatedTexts& repeated)
        : source_(source), layout_(layout), repeated_(repeated)
    {
    }

    void text(const char* name, QString& value)
    {
        if (layout_.stored<R>(name))
            repeated_.read(source_.textBytes(), value);
    }
    void index(const char*, int& value) { value = source_.index(); }
    void raw(const char*, quint32& value) { value = source_.value<quint32>(); }
    template <class N> void record(const char*, N& nested)
    {
        RecordReader<N> inner(source_, layout_, repeated_);
        visitFields(nested, inner);
    }

private:
    ByteSource& source_;
    const Layout& layout_;
    RepeatedTexts& repeated_;
};

template <class R> bool readRecords(ByteSource& source, const Layout& layout, int count, QList<R>& records)
{
    records.reserve(count + 1);
    RepeatedTexts repeated;
    RecordReader<R> reader(source, layout, repeated);
    const R* storage = records.constData();
    for (int i = 1; i <= count && !source.damaged(); ++i) {
        R& record = records.emplace_back();
        if (records.constData() != storage) {
            repeated.forget();
            storage = records.constData();
        }
        repeated.startRecord();
        visitFields(record, reader);
    }
    return !source.damaged();
}

// A count from the header: a whole, non-negative number within `limit`.
std::optional<int> countOf(float stored, int limit)
{
    const double value = stored;
    if (!std::isfinite(value) || value < 0 || value > limit || value != std::floor(value))
        return std::nullopt;
    return int(value);
}

// Older files did not keep per-baseline and per-occupation values, nor (before 104)
// the antenna height of a baseline end, nor did they keep shared occupations apart.
void convertOlderLayout(ProjectModel& model, int version)
{
    const CommonData& common = model.common;
    for (qsizetype i = 1; i < model.occupations.size(); ++i)
        model.occupations[i].minElevation = common.minElevation;
    for (qsizetype i = 1; i < model.baselines.size(); ++i) {
        BaselineRecord& b = model.baselines[i];
        if (version <= 103) {
            b.startPoint.antHeight = model.startOccupationOf(b).antennaHeight;
            b.endPoint.antHeight = model.endOccupationOf(b).antennaHeight;
        }
        b.minSVs = common.minSVs;
        b.frequency = common.frequency;
        b.ppMode = common.ppMode;
        b.minElevation = common.minElevation;
    }
    SeparateSharedOccupations(model);
}

} // namespace

Outcome EncodeProjectFile(const ProjectModel& model, QByteArray& bytes)
{
    const std::optional<QByteArray> softwareText = softwareTextOf(model.swProgram);
    if (!softwareText)
        return Outcome::failure(
            QStringLiteral("ヘッダー の swProgram にシフトJISで表せない文字があるため、保存できません。"));

    // The loader refuses more (the count is 16-bit wherever it is used), so such a file
    // could never be opened again.
    if (model.baselineCount() > maxBaselineCount)
        return Outcome::failure(QStringLiteral("基線が %1 本を超えるため、保存できません。").arg(maxBaselineCount));

    QByteArray out;
    // Most texts are a few bytes; this avoids most regrowth of a large project.
    out.reserve(projectFileHeaderSize + 400 * model.baselineCount() + 120 * model.occupationCount() +
                200 * model.satelliteCount());
    out += *softwareText;
    char number[4];
    qToLittleEndian(projectFileVersion, number);
    out.append(number, 2);
    for (int total : {model.occupationCount(), model.baselineCount(), model.satelliteCount()}) {
        qToLittleEndian(static_cast<float>(total), number);
        out.append(number, 4);
    }

    QString failure;
    const QString commonLabel = QStringLiteral("共通データ");
    RecordWriter commonWriter(out, failure, commonLabel, 0);
    visitFields(model.common, commonWriter);
    if (failure.isEmpty() && writeRecords(out, failure, model.baselines, QStringLiteral("基線 %1")) &&
        writeRecords(out, failure, model.occupations, QStringLiteral("観測記録 %1")))
        writeRecords(out, failure, model.satellites, QStringLiteral("衛星 %1"));
    if (!failure.isEmpty())
        return Outcome::failure(failure);
    bytes = std::move(out);
    return Outcome::success();
}

Outcome SaveProjectFile(const ProjectModel& model, const QString& path)
{
    QByteArray bytes;
    const Outcome encoded = EncodeProjectFile(model, bytes);
    if (!encoded)
        return encoded;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Outcome::failure(QStringLiteral("保存できません: %1\n%2").arg(path, file.errorString()),
                                {}, Outcome::Severity::Critical);
    return Outcome::success();
}

Outcome DecodeProjectFile(QByteArrayView bytes, ProjectModel& model)
{
    ByteSource source(bytes);
    const QByteArrayView softwareText = source.take(softwareTextSize);
    const qint16 version = source.value<qint16>();
    const float occupationTotal = source.value<float>();
    const float baselineTotal = source.value<float>();
    const float satelliteTotal = source.value<float>();
    if (source.damaged())
        return refused();

    ProjectModel fresh;
    if (version == 102) {
        if (softwareText != QByteArrayView(version102SoftwareText))
            return refused();
        fresh.swProgram = QString::fromLatin1(version102SwProgram);
    } else if (version >= 103 && version <= 105) {
        fresh.swProgram = decodeText(softwareText);
    } else {
        return refused();
    }
    const Layout layout = Layout::of(version);

    RepeatedTexts commonTexts;
    RecordReader<CommonData> commonReader(source, layout, commonTexts);
    visitFields(fresh.common, commonReader);

    // Checked before anything is allocated: every record takes at least its size with
    // empty texts, so the counts together must fit into the bytes that are left.
    const std::optional<int> baselineCount = countOf(baselineTotal, maxBaselineCount);
    const std::optional<int> occupationCount = countOf(occupationTotal, std::numeric_limits<int>::max() - 1);
    const std::optional<int> satelliteCount = countOf(satelliteTotal, std::numeric_limits<int>::max() - 1);
    if (source.damaged() || !baselineCount || !occupationCount || !satelliteCount)
        return refused();
    const qint64 needed = *baselineCount * minimumRecordSize<BaselineRecord>(layout) +
                          qint64(*occupationCount) * minimumRecordSize<OccupationRecord>(layout) +
                          qint64(*satelliteCount) * minimumRecordSize<SatelliteRecord>(layout);
    if (needed > source.left())
        return refused();

    if (!readRecords(source, layout, *baselineCount, fresh.baselines) ||
        !readRecords(source, layout, *occupationCount, fresh.occupations) ||
        !readRecords(source, layout, *satelliteCount, fresh.satellites))
        return refused();

    if (version < 105)
        convertOlderLayout(fresh, version);
    model = std::move(fresh);
    return Outcome::success();
}

Outcome LoadProjectFile(const QString& path, ProjectModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused();
    return DecodeProjectFile(bytes, model);
}
