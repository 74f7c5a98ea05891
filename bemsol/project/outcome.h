#pragma once

#include <QString>

// What an operation of the core tells its caller: success, or the message the user
// is to see. The core never shows anything itself; the window or the command line
// decides how to present the message.
struct Outcome
{
    enum class Severity { Information, Warning, Critical };

    bool ok = true;
    QString message;
    QString title; // empty: the application's title
    Severity severity = Severity::Warning;

    static Outcome success() { return {}; }
    static Outcome failure(const QString& message, const QString& title = {},
                           Severity severity = Severity::Warning)
    {
        return {false, message, title, severity};
    }
    explicit operator bool() const { return ok; }
};
