#include "filledworkbookfile.h"

#include <QSaveFile>

Outcome SaveFilledWorkbook(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Outcome::failure(QStringLiteral("ファイルを書き込めません: %1\n%2").arg(path, file.errorString()));
    return Outcome::success();
}
