#pragma once

#include <QString>

// What an operation of the tool tells its caller: success, or why it could not do what
// was asked, in the words the user is to read. The core never shows it; the window and
// the command line do. Read it as `if (outcome)` for success, as in Bemsol; a namespace of its own keeps
// it apart from Bemsol's where tests use both.
namespace dravel {

struct Outcome
{
    QString message; // empty on success

    static Outcome success() { return {}; }
    static Outcome failure(const QString& message) { return {message}; }

    explicit operator bool() const { return message.isEmpty(); }
};

} // namespace dravel
