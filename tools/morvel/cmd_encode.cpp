#include "model/image_codec.h"
#include "tools/morvel/cli_support.h"
#include "tools/morvel/commands.h"

namespace morvel::cli {

int RunEncode(Arguments arguments)
{
    if (arguments.size() != 2)
        return UsageError("encode", "expects SETTINGS.orv and IMAGE.bin");
    SettingsModel model;
    if (!LoadSettings(arguments[0], model.record, model.notes))
        return kExitFailure;
    EncodeImage(model.record, model.image);
    return SaveImage(model.image, arguments[1]) ? kExitSuccess : kExitFailure;
}

} // namespace morvel::cli
