#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <optional>
#include <string>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "decode";
constexpr std::string_view kOntoOption = "--onto";

} // namespace

int RunDecode(Arguments arguments)
{
    const std::optional<CommandLine> line = ParseCommandLine(kCommand, arguments, {kOntoOption});
    if (!line)
        return kExitUsage;
    if (line->files.size() != 2)
        return UsageError(kCommand, "expects IMAGE.bin and SETTINGS.orv");
    const std::optional<std::string> base = line->Option(kOntoOption);

    // Without a base the blocks are zero, as in the program before anything is loaded.
    SettingsModel model;
    if (base && !LoadSettings(*base, model.record, model.notes))
        return kExitFailure;
    if (!LoadImage(line->files[0], model.image))
        return kExitFailure;
    DecodeImage(model.image, model.record);
    return SaveSettings(model.record, model.notes, line->files[1]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
