#pragma once

#include "outcome.h"

#include <QtGlobal>

#include <functional>

// Long work of the core (reading a large file, filling the report tables, drawing a
// form) says how far it has come, now and then, and asks whether to go on: the callback
// returns false when the user cancelled. The core stays free of windows; the window
// shows a progress dialog behind the callback, the command line passes none.
using ProgressCallback = std::function<bool(qint64 done, qint64 total)>;

// What cancelled work returns: a failure without a message, as there is nothing to tell
// the user who cancelled. The work leaves everything as it was before it started.
inline Outcome CancelledOutcome()
{
    return Outcome::failure(QString(), QString(), Outcome::Severity::Information);
}

inline bool WasCancelled(const Outcome& outcome)
{
    return !outcome.ok && outcome.message.isEmpty();
}
