#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <gtest/gtest.h>

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

// A name that no other test running at the same time uses: `stem`, this process's id and the
// running test's name. Device paths, lock files and temporary files built from it stay apart
// under `ctest -j`.
inline QString OwnName(const QString& stem)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name = stem + u'-' + QString::number(QCoreApplication::applicationPid());
    if (test)
        name += u'-' + QString::fromUtf8(test->test_suite_name()) + u'-' + QString::fromUtf8(test->name());
    return name.replace(u'/', u'-');
}
