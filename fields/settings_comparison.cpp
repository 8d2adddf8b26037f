#include "fields/settings_comparison.h"

#include "fields/field_text.h"
#include "model/image_codec.h"

#include <algorithm>
#include <span>

namespace morvel {

namespace {

using Bytes = std::span<const std::uint8_t>;

const char* BlockWord(FieldBlock block)
{
    return block == FieldBlock::Record ? "record" : "notes";
}

FieldDifference ByOffset(std::string name, std::uint8_t first, std::uint8_t second)
{
    return {nullptr, std::move(name), {}, HexByte(first), HexByte(second)};
}

std::string BlockByteName(const FieldInfo& field, std::size_t offset, const char* role)
{
    return std::string(BlockWord(field.block)) + " byte " + std::to_string(offset) + " (" + role + field.name + ")";
}

std::string PlaceOf(const FieldInfo& field, Bytes first, Bytes second)
{
    if (field.bits.empty())
        return FieldPlace(field);
    return DifferingBitsPlace(field, first[0], second[0]);
}

bool ValuesDiffer(const FieldInfo& field, Bytes first, Bytes second)
{
    const std::size_t firstSize = ValueBytes(field, first);
    const std::size_t secondSize = ValueBytes(field, second);
    if (field.kind == FieldKind::ShortString) // the lengths as far as the capacity lets them count
        return firstSize != secondSize || !std::equal(first.begin() + 1, first.begin() + std::ptrdiff_t(firstSize), second.begin() + 1);
    return !std::equal(first.begin(), first.begin() + std::ptrdiff_t(firstSize), second.begin());
}

// The differing bytes of a field that its value leaves out: a reserved byte, a text's stale tail,
// a length byte beyond the capacity.
void AddBytesBesideTheValue(const FieldInfo& field, Bytes first, Bytes second, bool valueListed,
                            std::vector<FieldDifference>& out)
{
    if (field.kind == FieldKind::Reserved) {
        if (first[0] != second[0])
            out.push_back(ByOffset(BlockByteName(field, field.offset, ""), first[0], second[0]));
        return;
    }
    if (field.kind != FieldKind::ShortString)
        return;
    if (!valueListed && first[0] != second[0])
        out.push_back(ByOffset(BlockByteName(field, field.offset, "length of "), first[0], second[0]));
    const std::size_t tail = std::max(ValueBytes(field, first), ValueBytes(field, second));
    for (std::size_t i = tail; i < field.size; ++i) {
        if (first[i] != second[i])
            out.push_back(ByOffset(BlockByteName(field, field.offset + i, "tail of "), first[i], second[i]));
    }
}

// " [image byte 16 = 0x07]" for each differing image byte of the field.
std::string ImageBytesText(const FieldInfo& field, const TEepromImage& image, const TEepromImage& other)
{
    std::string text;
    for (const ImageBytes& run : field.image)
        for (std::size_t i = run.offset; i < run.offset + run.size; ++i) {
            if (image.bytes[i] != other.bytes[i])
                text += (text.empty() ? " [" : ", ") + std::string("image byte ") + std::to_string(i) + " = "
                        + HexByte(image.bytes[i]);
        }
    return text.empty() ? text : text + "]";
}

} // namespace

std::vector<FieldDifference> CompareSettings(const TSettingsRecord& firstRecord, const TUserNotes& firstNotes,
                                             const TSettingsRecord& secondRecord, const TUserNotes& secondNotes,
                                             ComparedBytes compared)
{
    std::vector<FieldDifference> out;
    for (const FieldInfo& field : FieldCatalogue()) {
        const Bytes first = FieldBytes(field, firstRecord, firstNotes);
        const Bytes second = FieldBytes(field, secondRecord, secondNotes);
        const bool listed = field.kind != FieldKind::Reserved && ValuesDiffer(field, first, second);
        if (listed)
            out.push_back({&field, field.name, PlaceOf(field, first, second), FieldValueText(field, first),
                           FieldValueText(field, second)});
        if (compared == ComparedBytes::EveryByte)
            AddBytesBesideTheValue(field, first, second, listed, out);
    }
    return out;
}

std::vector<FieldDifference> CompareImages(const TEepromImage& first, const TEepromImage& second, std::size_t end)
{
    // The values the operator would see after reading either image.
    TSettingsRecord firstRecord, secondRecord;
    DecodeImage(first, firstRecord);
    DecodeImage(second, secondRecord);
    const TUserNotes noNotes;

    std::vector<FieldDifference> out;
    std::vector<const FieldInfo*> listed;
    for (std::size_t i = 0; i < std::min(end, kImageSize); ++i) {
        if (first.bytes[i] == second.bytes[i])
            continue;
        const FieldInfo* field = ImageFieldAt(i);
        if (field == nullptr) {
            out.push_back(ByOffset("image byte " + std::to_string(i) + " (" + std::string(ImageByteRole(i)) + ")",
                                   first.bytes[i], second.bytes[i]));
            continue;
        }
        if (std::find(listed.begin(), listed.end(), field) != listed.end())
            continue;
        listed.push_back(field);
        const Bytes a = FieldBytes(*field, firstRecord, noNotes);
        const Bytes b = FieldBytes(*field, secondRecord, noNotes);
        FieldDifference difference{field, field->name, PlaceOf(*field, a, b), FieldValueText(*field, a),
                                   FieldValueText(*field, b)};
        if (difference.first == difference.second) {
            difference.first += ImageBytesText(*field, first, second);
            difference.second += ImageBytesText(*field, second, first);
        }
        out.push_back(std::move(difference));
    }
    return out;
}

} // namespace morvel
