#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

namespace morvel::cli {

int RunDecode(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Decodes a 2048-byte module image onto the record and notes of BASE.orv (or onto\n"
                              "all-zero blocks, as at program start) and writes them as a settings file.");
    const QCommandLineOption onto =
        line.AddValueOption("onto", "BASE.orv", "Decode onto the settings and user notes of this file.");
    line.AddFile("IMAGE.bin", "The image file to decode (exactly 2048 bytes).");
    line.AddFile("SETTINGS.orv", "The settings file to write.");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    // Without a base the blocks are zero, as in the program before anything is loaded.
    SettingsModel model;
    if (const auto base = line.Value(onto); base && !LoadSettings(*base, model.record, model.notes))
        return kExitFailure;
    if (!LoadImage(line.Files()[0], model.image))
        return kExitFailure;
    DecodeImage(model.image, model.record);
    return SaveSettings(model.record, model.notes, line.Files()[1]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
