#include "link/link_session.h"
#include "link/terminal_lines.h"
#include "model/defaults.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "read";
constexpr std::string_view kPortOption = "--port";
constexpr std::string_view kOntoOption = "--onto";

} // namespace

int RunRead(Arguments arguments)
{
    std::optional<std::string> port;
    std::optional<std::string> base;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const bool takesValue = arguments[i] == kPortOption || arguments[i] == kOntoOption;
        if (takesValue && i + 1 == arguments.size())
            return UsageError(kCommand, arguments[i] + " needs a value");
        if (arguments[i] == kPortOption)
            port = arguments[++i];
        else if (arguments[i] == kOntoOption)
            base = arguments[++i];
        else if (arguments[i].starts_with("--"))
            return UsageError(kCommand, "unknown option " + arguments[i]);
        else
            files.push_back(arguments[i]);
    }
    if (!port)
        return UsageError(kCommand, "expects --port PORT");
    if (files.size() != 1)
        return UsageError(kCommand, "expects one OUT.orv");

    // The module's settings land on the record the window would show: the start-up defaults,
    // or the settings (and user notes) of BASE.orv.
    SettingsModel model;
    if (base) {
        if (!LoadSettings(*base, model.record, model.notes))
            return kExitFailure;
    } else {
        ApplyDefaults(model.record);
    }
    LinkSession::Result result{RunEnd::Refused, {}};
    {
        TerminalLines lines(stdout);
        LinkSession session(model, [&lines](const QString& line, bool replaces) { lines.Print(line, replaces); });
        result = session.Read(QString::fromLocal8Bit(port->c_str()));
    }
    if (!result.ok())
        return Fail(result.text.trimmed().toLocal8Bit().toStdString());
    return SaveSettings(model.record, model.notes, files[0]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
