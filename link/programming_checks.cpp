#include "link/programming_checks.h"

#include "link/link_texts.h"
#include "model/image_codec.h"
#include "model/record_fields.h"

#include <string>

namespace morvel {

namespace {

constexpr std::size_t kSimPinLength = 4;
constexpr int kUsers = 4;
constexpr int kInputs = 8;
constexpr int kSpecialEntries = 6;
constexpr int kEdges = 2;

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QString DoesNotFit(const QString& field)
{
    return Text(texts::kFieldDoesNotFit).arg(field);
}

} // namespace

QStringList CheckSimPin(const TSettingsRecord& record)
{
    const std::size_t length = SimPin(record).size();
    if (length == 0 || length == kSimPinLength)
        return {};
    return {Text(texts::kSimPinLength)};
}

QStringList CheckImageRoundTrip(const TSettingsRecord& record, const TEepromImage& image)
{
    // Decode onto a copy, so that bytes the decoder leaves alone compare equal.
    TSettingsRecord decodedCopy = record;
    DecodeImage(image, decodedCopy);
    const TSettingsRecord& decoded = decodedCopy;

    QStringList refusals;
    if (SmsCentre(decoded) != SmsCentre(record))
        refusals << DoesNotFit(Text(texts::kFieldSmsCentre));
    for (int user = 1; user <= kUsers; ++user) {
        if (UserNumber(decoded, user) != UserNumber(record, user))
            refusals << DoesNotFit(Text(texts::kFieldUserNumber).arg(user));
    }
    for (int edge = 1; edge <= kEdges; ++edge) {
        for (int input = 1; input <= kInputs; ++input) {
            if (InputText(decoded, input, edge) != InputText(record, input, edge))
                refusals << DoesNotFit(Text(texts::kFieldInputText).arg(input).arg(edge));
        }
        for (int special = 1; special <= kSpecialEntries; ++special) {
            if (SpecialText(decoded, special, edge) != SpecialText(record, special, edge))
                refusals << DoesNotFit(Text(texts::kFieldSpecialText).arg(special).arg(edge));
        }
    }
    return refusals;
}

} // namespace morvel
