#pragma once
// What an operation that can fail gives back: its value, or the Error that
// says why it failed. Every fallible function of the program returns one.

#include "base/Error.h"

#include <optional>
#include <utility>
#include <variant>

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : m_outcome(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_outcome(std::in_place_index<1>, std::move(error)) {}

    explicit operator bool() const { return m_outcome.index() == 0; }
    T& value() { return std::get<0>(m_outcome); }
    const T& value() const { return std::get<0>(m_outcome); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    const Error& error() const { return std::get<1>(m_outcome); }
    // The value, or `fallback` when the operation failed.
    T value_or(T fallback) const { return *this ? value() : std::move(fallback); }

private:
    std::variant<T, Error> m_outcome;
};

// An operation with nothing to give back but success.
template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)) {}

    explicit operator bool() const { return !m_error; }
    const Error& error() const { return *m_error; }

private:
    std::optional<Error> m_error;
};
