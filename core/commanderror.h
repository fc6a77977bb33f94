#pragma once

#include "core/result.h"

#include <QString>
#include <exception>

// The one error that abandons the command being run. It carries the French text that the
// general error report shows; what the command did before the error stays done.
class CommandError : public std::exception {
public:
    explicit CommandError(QString message) : m_message(std::move(message)) {}
    explicit CommandError(const Failure &failure) : m_message(failure.message()) {}
    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return "CommandError"; }

    static CommandError notAnInteger(const QString &text);
    static CommandError notAReal(const QString &text);
    static CommandError notADate(const QString &text);
    static CommandError overflow();
    static CommandError divisionByZero();
    static CommandError invalidOperation();
    static CommandError cannotCreate(const QString &fileName);

private:
    QString m_message;
};
