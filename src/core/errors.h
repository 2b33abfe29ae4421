#pragma once

#include <QString>
#include <exception>

// A failure raised to the handler of the user's command, which shows
// "Error: " and the description under the title "Error" and carries on.
class SolvaneError : public std::exception
{
public:
    SolvaneError(int number, QString description)
        : m_number(number),
          m_description(std::move(description)),
          m_utf8(m_description.toUtf8())
    {}

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    int m_number;
    QString m_description;
    QByteArray m_utf8;
};

// Error numbers of our own failures (kept apart from the ones a message names).
namespace ErrorNumber {
constexpr int FileNotFound = 53;
constexpr int FileWrite = 75;
constexpr int IncompleteRecord = 62; // input past end of file
constexpr int BadFileFormat = 321;
} // namespace ErrorNumber
