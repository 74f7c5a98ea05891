#include "pdffile.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

Outcome WritePdfFile(const QString& pdfPath, const QString& title,
                     const std::function<Outcome(QPdfWriter&)>& draw)
{
    QSaveFile file(pdfPath);
    const auto cannotWrite = [&] {
        return Outcome::failure(QStringLiteral("PDFファイルを書き込めません: %1\n%2")
                                    .arg(QDir::toNativeSeparators(pdfPath), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        return cannotWrite();
    Outcome outcome;
    {
        // The writer finishes the document when it goes, before the file is committed.
        QPdfWriter writer(&file);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Bemsol"));
        outcome = draw(writer);
    }
    if (!outcome) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit())
        return cannotWrite();
    return Outcome::success();
}
