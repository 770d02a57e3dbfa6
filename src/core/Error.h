#pragma once
#include <QString>

#include <cassert>
#include <optional>
#include <utility>
#include <variant>

namespace kesmar {

// The one error shape of readers and writers: which file, where in it, why.
// Readers return it as a value and never open dialogs; the widget layer
// turns it into the program's German message box.
struct Error {
    QString file;     // the path concerned, empty when no file is involved
    int record = -1;  // 0-based record index where it applies, else -1
    int line = -1;    // 1-based line number where it applies, else -1
    QString reason;   // what went wrong ("truncated: 12 bytes of 487", a system text, ...)

    static Error inFile(QString file, QString reason)
    {
        Error e;
        e.file = std::move(file);
        e.reason = std::move(reason);
        return e;
    }
    static Error atRecord(QString file, int record, QString reason)
    {
        Error e = inFile(std::move(file), std::move(reason));
        e.record = record;
        return e;
    }
    static Error atLine(QString file, int line, QString reason)
    {
        Error e = inFile(std::move(file), std::move(reason));
        e.line = line;
        return e;
    }

    // "path, line 12: reason" / "path, record 3: reason" / "path: reason".
    QString describe() const
    {
        QString where = file;
        if (line >= 0)
            where += QStringLiteral(", line %1").arg(line);
        else if (record >= 0)
            where += QStringLiteral(", record %1").arg(record);
        if (where.isEmpty())
            return reason;
        return reason.isEmpty() ? where : where + QStringLiteral(": ") + reason;
    }
};

// A value or the Error that prevented it. Check ok() before value().
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : v_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { assert(ok()); return std::get<0>(v_); }
    const T& value() const& { assert(ok()); return std::get<0>(v_); }
    T&& value() && { assert(ok()); return std::get<0>(std::move(v_)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { assert(!ok()); return std::get<1>(v_); }

private:
    std::variant<T, Error> v_;
};

// The result of an operation that yields nothing but may fail.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : error_(std::move(error)) {}

    bool ok() const { return !error_.has_value(); }
    explicit operator bool() const { return ok(); }
    const Error& error() const { assert(!ok()); return *error_; }

private:
    std::optional<Error> error_;
};

using Status = Result<void>;

// `status` with `file` filled in where the error names none: parsers of
// bytes do not know the file their caller read.
inline Status withFile(Status status, const QString& file)
{
    if (status.ok() || !status.error().file.isEmpty())
        return status;
    Error error = status.error();
    error.file = file;
    return error;
}

} // namespace kesmar
