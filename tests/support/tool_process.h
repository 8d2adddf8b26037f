#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Runs a built program as the operator would and collects what it printed.
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline ToolRun RunTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(30000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
}
