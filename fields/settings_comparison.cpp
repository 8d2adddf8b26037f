#include "fields/settings_comparison.h"

#include "fields/field_text.h"
#include "model/image_codec.h"
#include "model/image_offsets.h"

#include <algorithm>
#include <span>

namespace morvel {

namespace {

using Bytes = std::span<const std::uint8_t>;

DifferenceBlock BlockOf(const FieldInfo& field)
{
    return field.block == FieldBlock::Record ? DifferenceBlock::Record : DifferenceBlock::Notes;
}

// "record byte 36 (tail of SmsAccessCode)".
FieldDifference ByOffset(DifferenceBlock block, std::size_t offset, const std::string& role, std::uint8_t first,
                         std::uint8_t second)
{
    return {nullptr, std::string(BlockName(block)) + " byte " + std::to_string(offset) + " (" + role + ")", {},
            HexByte(first), HexByte(second), block, offset};
}

FieldDifference OfField(const FieldInfo& field, std::string place, std::string first, std::string second)
{
    return {&field, field.name, std::move(place), std::move(first), std::move(second), BlockOf(field), field.offset};
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
            out.push_back(ByOffset(BlockOf(field), field.offset, field.name, first[0], second[0]));
        return;
    }
    if (field.kind != FieldKind::ShortString)
        return;
    if (!valueListed && first[0] != second[0])
        out.push_back(ByOffset(BlockOf(field), field.offset, "length of " + field.name, first[0], second[0]));
    const std::size_t tail = std::max(ValueBytes(field, first), ValueBytes(field, second));
    for (std::size_t i = tail; i < field.size; ++i) {
        if (first[i] != second[i])
            out.push_back(ByOffset(BlockOf(field), field.offset + i, "tail of " + field.name, first[i], second[i]));
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

// A checksum that each image computes right from its own bytes differs only because the fields
// it covers do; those are listed, the checksum is not.
bool ChecksumsExplained(const TEepromImage& first, const TEepromImage& second)
{
    return first.bytes[image_offset::kChecksum] == ImageChecksum(first)
           && second.bytes[image_offset::kChecksum] == ImageChecksum(second);
}

} // namespace

const char* BlockName(DifferenceBlock block)
{
    switch (block) {
    case DifferenceBlock::Record: return "record";
    case DifferenceBlock::Notes: return "notes";
    case DifferenceBlock::Image: return "image";
    }
    return "";
}

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
            out.push_back(OfField(field, PlaceOf(field, first, second), FieldValueText(field, first),
                                  FieldValueText(field, second)));
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
        if (i == image_offset::kChecksum && ChecksumsExplained(first, second))
            continue;
        const FieldInfo* field = ImageFieldAt(i);
        if (field == nullptr) {
            out.push_back(ByOffset(DifferenceBlock::Image, i, std::string(ImageByteRole(i)), first.bytes[i],
                                   second.bytes[i]));
            continue;
        }
        if (std::find(listed.begin(), listed.end(), field) != listed.end())
            continue;
        listed.push_back(field);
        const Bytes a = FieldBytes(*field, firstRecord, noNotes);
        const Bytes b = FieldBytes(*field, secondRecord, noNotes);
        FieldDifference difference = OfField(*field, PlaceOf(*field, a, b), FieldValueText(*field, a), FieldValueText(*field, b));
        if (difference.first == difference.second) {
            difference.first += ImageBytesText(*field, first, second);
            difference.second += ImageBytesText(*field, second, first);
        }
        out.push_back(std::move(difference));
    }
    return out;
}

} // namespace morvel
