#pragma once

#include <QString>

// Why the tool could not do what was asked, in the words the user is to read. The core
// never shows it; the window and the command line do. An empty message means success,
// so `if (const Failure f = ...)` reads as "if it failed".
struct Failure
{
    QString message;

    explicit operator bool() const { return !message.isEmpty(); }
};
