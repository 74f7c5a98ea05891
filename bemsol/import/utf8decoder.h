#pragma once

#include <QByteArrayView>
#include <QString>

// Decodes the exchange file's UTF-8 bytes into one text. One-, two- and three-byte
// sequences are decoded (U+0000 to U+FFFF); every byte that starts no valid sequence
// is replaced by `replacement` (dropped when it is empty). The checks are deliberately
// limited to the lead and continuation byte ranges, so overlong three-byte forms and
// surrogates decode by the formula, as the processing software's files expect.
QString Utf8BytesToText(QByteArrayView bytes, QStringView replacement);
