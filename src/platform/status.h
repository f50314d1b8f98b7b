#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kelvo {

/// The outcome of a fallible call: success, or an error with a number and a
/// message for the log or the user.
class [[nodiscard]] Status {
public:
    Status() = default;
    static Status failure(int number, std::string message) {
        Status status;
        status.m_failed = true;
        status.m_number = number;
        status.m_message = std::move(message);
        return status;
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    int number() const { return m_number; }
    const std::string& message() const { return m_message; }

private:
    bool m_failed = false;
    int m_number = 0;
    std::string m_message;
};

/// A value or the error that kept it from being made.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status error) : m_error(std::move(error)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T& value() const& { return *m_value; }
    T& value() & { return *m_value; }
    T&& value() && { return std::move(*m_value); }
    const T& operator*() const& { return *m_value; }
    const T* operator->() const { return &*m_value; }
    const Status& error() const { return m_error; }

private:
    std::optional<T> m_value;
    Status m_error;
};

} // namespace kelvo
