#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// A failure whose text a person can act on ("Cannot read picture
// /home/ann/car.jpg: unsupported image format"). Routines that report
// failures catch it at their boundary and show its text.
class UserError : public std::exception {
public:
    explicit UserError(QString text)
        : m_text(std::move(text))
        , m_utf8(m_text.toUtf8())
    {
    }

    [[nodiscard]] const QString& Text() const noexcept { return m_text; }
    [[nodiscard]] const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_text;
    QByteArray m_utf8;
};
