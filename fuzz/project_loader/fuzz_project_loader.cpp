// libFuzzer target: the project file loader over any bytes.
#include "project/projectfile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ProjectModel model;
    model.swProgram = QStringLiteral("open project");
    model.baselines.append(BaselineRecord{.session = QStringLiteral("S")});
    const ProjectModel before = model;

    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!DecodeProjectFile(bytes, model)) {
        // A refused file must leave the open project exactly as it was.
        if (!(model == before))
            std::abort();
        return 0;
    }

    // What was read, written again, reads back the same (the header's software text
    // aside: a version-102 file gets a fixed name that is then stored blank-filled).
    QByteArray written;
    if (!EncodeProjectFile(model, written))
        return 0; // a text the file cannot hold (e.g. a damaged multi-byte sequence)
    ProjectModel again;
    if (!DecodeProjectFile(written, again))
        std::abort();
    again.swProgram = model.swProgram;
    if (!(again == model))
        std::abort();
    return 0;
}
