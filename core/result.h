// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// Why an operation failed, in French, as the user reads it.
class Failure {
public:
    explicit Failure(QString message, QString cause = QString())
        : m_message(std::move(message)), m_cause(std::move(cause))
    {
    }
    const QString &message() const { return m_message; }
    // For a file that could not be written: why, as the system said it ("le disque ou le
    // dossier réseau est plein"); empty when it did not say.
    const QString &cause() const { return m_cause; }

    // The runtime's messages for numbers, dates and files.
    static Failure notAnInteger(const QString &text);
    static Failure notAReal(const QString &text);
    static Failure notADate(const QString &text);
    static Failure overflow();
    static Failure divisionByZero();
    static Failure invalidOperation();
    // "Ne peut créer le fichier %s", then why when `cause` tells.
    static Failure cannotCreate(const QString &fileName, const QString &cause = QString());
    static Failure noPrinter();

private:
    QString m_message;
    QString m_cause;
};

// What an operation that can fail gives back: its value, or the Failure that says why there is
// none. Core code returns one; the window that started the operation shows the failure.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }

    const Failure &failure() const { return std::get<1>(m_state); }
    const QString &message() const { return failure().message(); }

private:
    std::variant<T, Failure> m_state;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure.has_value(); }
    explicit operator bool() const { return ok(); }

    const Failure &failure() const { return *m_failure; }
    const QString &message() const { return m_failure->message(); }

private:
    std::optional<Failure> m_failure;
};

using Status = Result<void>;
