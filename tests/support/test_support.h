#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <chrono>
#include <ostream>

// Readable failure messages for Qt types in GoogleTest assertions.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << "QByteArray(\"" << bytes.toStdString() << "\", hex " << bytes.toHex(' ').toStdString() << ')';
}

// Processes events until the condition holds or the time runs out; returns the condition.
template <typename Condition>
bool ProcessEventsUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(5))
{
    QDeadlineTimer deadline(limit);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
