// Writes the sample templates into a folder, normally the repository's share/:
//   gen-templates share
// The files are committed; run this again after changing the generator.
#include "templategenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        std::fputs("usage: gen-templates OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    const QDir dir(args.first());
    if (!dir.exists()) {
        std::fprintf(stderr, "gen-templates: no such folder: %s\n", qPrintable(args.first()));
        return 1;
    }
    for (const GeneratedTemplate& t : GenerateTemplates()) {
        if (t.bytes.isEmpty()) {
            std::fprintf(stderr, "gen-templates: could not build %s\n", qPrintable(t.fileName));
            return 1;
        }
        QSaveFile file(dir.filePath(t.fileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(t.bytes) != t.bytes.size() || !file.commit()) {
            std::fprintf(stderr, "gen-templates: cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
