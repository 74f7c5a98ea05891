#pragma once

#include <QByteArray>
#include <QStringView>

// Appends `text` as a JSON string in UTF-8: quotes and backslashes escaped, control
// characters and surrogates as \uXXXX (a lone surrogate from the decoder stays visible).
void AppendJsonString(QByteArray& out, QStringView text);
