#pragma once

#include <QString>

#include <stdexcept>

// An error whose text is what the user is shown, kept as it was written.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};
