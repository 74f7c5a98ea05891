#pragma once

#include <QByteArrayView>
#include <QString>

// DecodeShiftJis by table lookup: the same text for the same bytes, without opening a
// converter for every short text. Large project files hold hundreds of thousands of
// texts, and a converter per text was most of the time it took to load one.
QString DecodeShiftJisByTable(QByteArrayView bytes);
