#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

#include <optional>
#include <string>
#include <vector>

namespace morvel::cli {

namespace {

constexpr std::string_view kCommand = "decode";
constexpr std::string_view kOntoOption = "--onto";

} // namespace

int RunDecode(Arguments arguments)
{
    std::vector<std::string> files;
    std::optional<std::string> base;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == kOntoOption) {
            if (i + 1 == arguments.size())
                return UsageError(kCommand, "--onto needs a settings file");
            if (base)
                return UsageError(kCommand, "--onto given twice");
            base = arguments[++i];
        } else if (arguments[i].starts_with("--")) {
            return UsageError(kCommand, "unknown option " + arguments[i]);
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (files.size() != 2)
        return UsageError(kCommand, "expects IMAGE.bin and SETTINGS.orv");

    // Without a base the blocks are zero, as in the program before anything is loaded.
    SettingsModel model;
    if (base && !LoadSettings(*base, model.record, model.notes))
        return kExitFailure;
    if (!LoadImage(files[0], model.image))
        return kExitFailure;
    DecodeImage(model.image, model.record);
    return SaveSettings(model.record, model.notes, files[1]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
