#pragma once

#include <QString>

#include <optional>
#include <utility>

// What an operation of the core tells its caller: success, or the message the user
// is to see. The core never shows anything itself; the window or the command line
// decides how to present the message. Read it as `if (outcome)`.
//
// A success may carry a warning: the work was done, but the user should hear about
// something (rows left empty, a default used). `warning()` is that text; a failure's
// text is `message`.
struct Outcome
{
    enum class Severity { Information, Warning, Critical };

    bool ok = true;
    QString message;
    QString title; // empty: the application's title
    Severity severity = Severity::Warning;

    static Outcome success() { return {}; }
    static Outcome successWithWarning(const QString& warning)
    {
        return {true, warning, {}, Severity::Warning};
    }
    static Outcome failure(const QString& message, const QString& title = {},
                           Severity severity = Severity::Warning)
    {
        return {false, message, title, severity};
    }
    explicit operator bool() const { return ok; }

    bool hasWarning() const { return ok && !message.isEmpty(); }
    QString warning() const { return ok ? message : QString(); }
};

// A value, or the failure that kept it from being made: the value-carrying form of
// Outcome, read the same way (`if (result) use(*result); else show(result.outcome())`).
template <typename T>
class Result
{
public:
    Result(T value) : value_(std::move(value)) {}
    // Only a failure: a success without its value is a programming error.
    Result(Outcome failure) : outcome_(std::move(failure))
    {
        if (outcome_.ok)
            outcome_ = Outcome::failure(QStringLiteral("内部エラー: 結果がありません"));
    }

    explicit operator bool() const { return value_.has_value(); }

    const T& operator*() const& { return *value_; }
    T& operator*() & { return *value_; }
    T&& operator*() && { return std::move(*value_); }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }
    const T& value() const { return *value_; }

    const Outcome& outcome() const { return outcome_; }
    const QString& message() const { return outcome_.message; }

private:
    std::optional<T> value_;
    Outcome outcome_;
};
