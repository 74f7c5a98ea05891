#pragma once

#include "model/progress.h"

#include <QList>

// Records what long work reports to its progress callback, and answers stop at the
// report numbered `stopAt` (counting from 1; 0 never stops).
struct ProgressReports
{
    QList<qint64> done;
    QList<qint64> total;
    int stopAt = 0;

    ProgressCallback callback()
    {
        return [this](qint64 d, qint64 t) {
            done << d;
            total << t;
            return done.size() != stopAt;
        };
    }
};
