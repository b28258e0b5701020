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

    // The text the user is shown for any error caught: a UserError's own
    // message as written, otherwise the library's text in the local code page.
    static QString textOf(const std::exception &e)
    {
        if (const auto *own = dynamic_cast<const UserError *>(&e))
            return own->message();
        return QString::fromLocal8Bit(e.what());
    }

private:
    QString m_message;
};
