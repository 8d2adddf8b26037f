#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "program";
constexpr std::string_view kPortOption = "--port";

} // namespace

int RunProgram(Arguments arguments)
{
    std::optional<std::string> port;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == kPortOption) {
            if (i + 1 == arguments.size())
                return UsageError(kCommand, "--port needs a port name");
            port = arguments[++i];
        } else if (arguments[i].starts_with("--")) {
            return UsageError(kCommand, "unknown option " + arguments[i]);
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (!port)
        return UsageError(kCommand, "expects --port PORT");
    if (files.size() != 1)
        return UsageError(kCommand, "expects one SETTINGS.orv");

    SettingsModel model;
    if (!LoadSettings(files[0], model.record, model.notes))
        return kExitFailure;
    LinkSession::Result result{RunEnd::Refused, {}};
    {
        TerminalLines lines(stdout);
        LinkSession session(model, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
        result = session.Program(QString::fromLocal8Bit(port->c_str()));
    }
    if (!result.ok())
        return Fail(result.text.trimmed().toLocal8Bit().toStdString());
    return kExitSuccess;
}

} // namespace morvel::cli
