#include "modeljson.h"

#include "model/jsontext.h"
#include "model/modelfields.h"

namespace {

class JsonRecordWriter
{
public:
    explicit JsonRecordWriter(QByteArray& out) : out_(out) {}

    template <class R> void write(const R& record)
    {
        out_ += '{';
        first_ = true;
        visitFields(record, *this);
        out_ += '}';
    }

    void text(const char* name, const QString& value)
    {
        key(name);
        AppendJsonString(out_, value);
    }
    void index(const char* name, int value)
    {
        key(name);
        out_ += QByteArray::number(value);
    }
    void raw(const char* name, quint32 value)
    {
        key(name);
        out_ += QByteArray::number(value);
    }
    template <class R> void record(const char* name, const R& nested)
    {
        key(name);
        JsonRecordWriter(out_).write(nested);
    }

private:
    void key(const char* name)
    {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += name;
        out_ += "\":";
    }

    QByteArray& out_;
    bool first_ = true;
};

template <class R> void appendArray(QByteArray& out, const char* name, const QList<R>& records)
{
    out += ",\n\"";
    out += name;
    out += "\":[";
    for (qsizetype i = 1; i < records.size(); ++i) {
        out += i == 1 ? "\n" : ",\n";
        JsonRecordWriter(out).write(records[i]);
    }
    out += "\n]";
}

} // namespace

QByteArray ModelToJson(const ProjectModel& model)
{
    QByteArray out;
    out += "{\"swProgram\":";
    AppendJsonString(out, model.swProgram);
    out += ",\n\"common\":";
    JsonRecordWriter(out).write(model.common);
    appendArray(out, "baselines", model.baselines);
    appendArray(out, "occupations", model.occupations);
    appendArray(out, "satellites", model.satellites);
    out += "\n}\n";
    return out;
}
