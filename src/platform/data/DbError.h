#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <stdexcept>

// An error of the data layer, worded for the user (in Chinese).
class DbError : public std::runtime_error
{
public:
    explicit DbError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// Runs an action and returns the text of the DbError (or other exception) it
// threw, or nothing when it succeeded. The one place that turns an escaping
// error into a message; what shows it is up to the caller.
std::optional<QString> failureOf(const std::function<void()> &action);
