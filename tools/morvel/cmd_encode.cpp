#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/command_line.h"

namespace morvel::cli {

int RunEncode(const Command& command, Arguments arguments)
{
    CommandLine line(command, "Encodes the settings record of SETTINGS.orv into the module's 2048-byte memory image,\n"
                              "as programming does, and writes the image raw to IMAGE.bin.");
    line.AddFile("SETTINGS.orv", "The settings file to encode.");
    line.AddFile("IMAGE.bin", "The image file to write (2048 bytes).");
    if (const auto finished = line.Parse(arguments))
        return *finished;

    SettingsModel model;
    if (!LoadSettings(line.Files()[0], model.record, model.notes))
        return kExitFailure;
    EncodeImage(model.record, model.image);
    return SaveImage(model.image, line.Files()[1]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
