#pragma once

#include <QString>

#include <stdexcept>

namespace ly {

// "Raises an error": the project's error type. Whatever no command catches ends in the
// editor's application-wide handler, which logs the text.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &text)
        : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString &text() const { return m_text; }

private:
    QString m_text;
};

// The user's Cancel at the save prompt: stops the command that asked, silently. The
// application-wide handler ignores it.
class SilentAbort : public std::exception
{
public:
    const char *what() const noexcept override { return "silent abort"; }
};

} // namespace ly
