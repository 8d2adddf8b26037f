#include "model/field_catalogue.h"

#include "model/field_limits.h"
#include "model/image_offsets.h"
#include "model/record_fields.h"
#include "model/record_offsets.h"

#include <algorithm>
#include <array>

namespace morvel {

namespace {

namespace ro = record_offset;
namespace io = image_offset;
namespace fl = field_limit;

// The window's pages.
constexpr std::string_view kBasicPage = "Basic";
constexpr std::string_view kNumbersPage = "Telephone numbers";
constexpr std::string_view kInputsPage = "Inputs";
constexpr std::string_view kSpecialPage = "Special Inputs";
constexpr std::string_view kOutputsPage = "Outputs";

// Column headers and labels the fields stand under.
constexpr std::string_view kReactionTimeHeader = "Time of reaction [ x 0,1s]";
constexpr std::string_view kBlockTimeHeader = "Blocking the input after reaction [x 10s]";
constexpr std::string_view kReactionHeader = "Reaction of outputs";
constexpr std::string_view kNotifyHeader = "Send information";
constexpr std::string_view kConfirmNotifyHeader = "Send SMS if";
constexpr std::string_view kSmsTextHeader = "SMS message text";
constexpr std::string_view kConfirmationGroup = "Confirmation of outputs reactions";
constexpr std::string_view kClipFromUser = "CLIP settings / Clip from user";
constexpr std::string_view kClipFromUnknown = "CLIP settings / Clip from unknown user";
constexpr std::string_view kNotShown = "not shown in the window";
constexpr std::string_view kReserved = "reserved, never reaches the module";

constexpr std::array<std::string_view, 7> kClipFromUserCaptions{
    "Enable Output 1", "Enable Output 2", "Disable Output 1", "Disable Output 2",
    "Change the state for Output 1", "Change the state for Output 2", "Send REPORT to USER 1"};
constexpr std::array<std::string_view, 7> kClipFromUnknownCaptions{
    "Enable Output 1", "Enable output 2", "Disable Output 1", "Disable Output 2",
    "Change the state for Output 1", "Change the state for Output 2", "Send REPORT to USER 1"};
constexpr std::array<std::string_view, 7> kClipMeanings{
    "enable output 1", "enable output 2", "disable output 1", "disable output 2",
    "toggle output 1", "toggle output 2", "report to user 1"};

std::string Str(std::string_view text) { return std::string(text); }
std::string Num(int number) { return std::to_string(number); }
std::string Join(std::string_view a, std::string_view b) { return Str(a) + " / " + Str(b); }

std::string Indexed(std::string_view name, int first) { return Str(name) + "[" + Num(first) + "]"; }
std::string Indexed(std::string_view name, int first, int second)
{
    return Indexed(name, first) + "[" + Num(second) + "]";
}

std::string OutputGroup(int output) { return "Wyjście " + Num(output); }

// The edge captions of an input's two lines: inputs 4, 6 and 8 switch to +12 V, the others to ground.
std::string InputEdge(int input, int edge)
{
    const std::string level = input == 4 || input == 6 || input == 8 ? "+12V" : "GND";
    return (edge == 1 ? "Connecting to " : "Disconnecting from ") + level;
}

// The row of a special entry and the caption of its edge, as the window shows them; an empty row
// for the entries the window does not show.
struct SpecialPlace {
    std::string_view page;
    std::string row;
    std::string edge;
};

SpecialPlace SpecialEntryPlace(int special, int edge)
{
    switch (special) {
    case ro::kSpecialOutput1Confirmation:
    case ro::kSpecialOutput2Confirmation:
        return {kOutputsPage, Join(kConfirmationGroup, "Output " + Num(special)), edge == 1 ? "Enabled" : "Disabled"};
    case ro::kSpecialHijack:
        return {kSpecialPage, "HIJACK input", edge == 1 ? "Connecting to GND" : "Disconnecting from GND"};
    case ro::kSpecialArmDisarm:
        return {kSpecialPage, "Arm/Disarm input", edge == 1 ? "Disconnecting from GND" : "Connecting to GND"};
    default:
        return {};
    }
}

std::string HiddenSpecialCaption(int special, int edge, std::string_view what)
{
    return "special entry " + Num(special) + ", edge " + Num(edge) + ": " + Str(what) + ", " + Str(kNotShown);
}

FieldInfo Field(std::string name, FieldBlock block, std::size_t offset, std::size_t size, FieldKind kind)
{
    FieldInfo field;
    field.name = std::move(name);
    field.block = block;
    field.offset = offset;
    field.size = size;
    field.kind = kind;
    return field;
}

FieldInfo& Place(FieldInfo& field, std::string_view page, std::string caption)
{
    field.page = Str(page);
    field.caption = std::move(caption);
    return field;
}

FieldInfo Byte(std::string name, std::size_t offset, std::size_t imageOffset)
{
    FieldInfo field = Field(std::move(name), FieldBlock::Record, offset, 1, FieldKind::Byte);
    field.image = {{imageOffset, 1}};
    return field;
}

FieldInfo& SpinEdit(FieldInfo& field, std::string control, fl::Range range)
{
    field.editor = FieldEditor::SpinEdit;
    field.control = std::move(control);
    field.minimum = range.minimum;
    field.maximum = range.maximum;
    return field;
}

FieldInfo& Edit(FieldInfo& field, std::string control, int maxLength)
{
    field.editor = FieldEditor::Edit;
    field.control = std::move(control);
    field.maxLength = maxLength;
    return field;
}

FieldInfo Text(std::string name, FieldBlock block, std::size_t offset, std::size_t capacity)
{
    FieldInfo field = Field(std::move(name), block, offset, capacity + 1, FieldKind::ShortString);
    field.capacity = capacity;
    return field;
}

FieldInfo Reserved(std::size_t offset)
{
    FieldInfo field = Field("Reserved" + std::to_string(offset), FieldBlock::Record, offset, 1, FieldKind::Reserved);
    field.caption = Str(kReserved);
    return field;
}

std::vector<FieldBit> ReactionBits(bool exitTimeBit)
{
    std::vector<FieldBit> bits{
        {ro::kReactionInactive, "inactive", "ChBNoActiv", {}, {}},
        {ro::kReactionOutput1On, "output 1 on", "ChBONwy1IN", {}, {}},
        {ro::kReactionOutput1Off, "output 1 off", "ChBOFFwy1In", {}, {}},
        {ro::kReactionOutput2On, "output 2 on", "ChBonWy2In", {}, {}},
        {ro::kReactionOutput2Off, "output 2 off", "ChBOFFWY2iN", {}, {}},
        {ro::kReactionImmobiliser, "immobiliser on", "ChBTimeOFFWy2", {}, {}},
        {ro::kReactionSiren, "siren on", "ChBTimeOFFWy1", {}, {}},
        {ro::kReactionDelayed, "delayed reaction", "ChBTimeRaport", {}, {}},
    };
    if (exitTimeBit) // bit 0 of the Arm/Disarm input's second edge has a box of its own on "Basic"
        bits.back() = {ro::kReactionDelayed, "exit-time function", "CHB_funkcjaczaswy", Str(kBasicPage),
                       "Additional / Switch ON \"exit time\" function"};
    return bits;
}

std::vector<FieldBit> NotificationBits()
{
    std::vector<FieldBit> bits;
    for (int user = 1; user <= ro::kUserCount; ++user) {
        bits.push_back({ro::NotifySmsBit(user), "SMS user " + Num(user), "ChBUS" + Num(user) + "SMS", {}, {}});
        bits.push_back({ro::NotifyClipBit(user), "CLIP user " + Num(user), "ChBUS" + Num(user) + "Clip", {}, {}});
    }
    return bits;
}

std::vector<FieldBit> FlagBits()
{
    const std::string page = Str(kOutputsPage);
    return {
        {ro::kFlagOutput1BySms, "output 1 by SMS", "ChBFlags_0", page, Join(OutputGroup(1), "Enable/Disable output 1 by SMS")},
        {ro::kFlagOutput2BySms, "output 2 by SMS", "ChBFlags_1", page, Join(OutputGroup(2), "Enable/Disable output 2 by SMS")},
        {ro::kFlagOutput1AutoOff, "output 1 off by time", "ChBFlags_2", page, Join(OutputGroup(1), "Auto Disable output 1 by time")},
        {ro::kFlagOutput2AutoOff, "output 2 off by time", "ChBFlags_3", page, Join(OutputGroup(2), "Auto Disable output 2 by time")},
        {ro::kFlagPeriodicReport, "periodic report", "ChBFlags_4", Str(kBasicPage), "Periodic REPORT for USER 1 / Send report every"},
        {ro::kFlagSmsProgramming, "SMS programming", "ChBFlags_5", Str(kBasicPage), "SMS programming / Enable SMS programming"},
        {ro::kFlagUnusedBit6, "unused bit 6", {}, {}, "bit 6, " + Str(kNotShown)},
        {ro::kFlagUnusedBit7, "unused bit 7", {}, {}, "bit 7, " + Str(kNotShown)},
    };
}

// The CLIP boxes of one group, bit k in the box whose name ends in k. Bit 7 of the users' flags
// is the "Unidentified SMS" box; that of the unknown callers' flags a box never shown.
std::vector<FieldBit> ClipBits(bool userFlags)
{
    const std::string prefix = userFlags ? "ChbClipVerif" : "ChBClipNotVerif";
    const auto& captions = userFlags ? kClipFromUserCaptions : kClipFromUnknownCaptions;
    const std::string group = Str(userFlags ? kClipFromUser : kClipFromUnknown);
    std::vector<FieldBit> bits;
    for (std::size_t bit = 0; bit < captions.size(); ++bit)
        bits.push_back({static_cast<std::uint8_t>(1u << bit), Str(kClipMeanings[bit]), prefix + Num(int(bit)),
                        Str(kBasicPage), Join(group, captions[bit])});
    if (userFlags)
        bits.push_back({ro::kClipForwardUnknownSms, "forward unidentified SMS to user 1", prefix + "7",
                        Str(kBasicPage), "Unidentified SMS / Send unidentified SMS to USER 1"});
    else
        bits.push_back({ro::kClipForwardUnknownSms, "hidden bit 7", prefix + "7", {}, "bit 7, " + Str(kNotShown)});
    return bits;
}

FieldInfo BitByte(std::string name, std::size_t offset, std::size_t imageOffset, FieldKind kind,
                  std::vector<FieldBit> bits, std::string_view noBitSet)
{
    FieldInfo field = Byte(std::move(name), offset, imageOffset);
    field.kind = kind;
    field.bits = std::move(bits);
    field.noBitSet = Str(noBitSet);
    return field;
}

// Where an edge's notification byte sits in the image; its output-reaction byte follows it.
std::size_t PairInImage(std::size_t edge1Base, std::size_t edge2Base, int row, int edge)
{
    return (edge == 1 ? edge1Base : edge2Base) + io::kPairSize * std::size_t(row - 1);
}

std::size_t TextSlotInImage(std::size_t edge1Base, std::size_t edge2Base, int row, int edge)
{
    return (edge == 1 ? edge1Base : edge2Base) + io::kTextSlotSize * std::size_t(row - 1);
}

using Catalogue = std::vector<FieldInfo>;

void AddTimersAndFlags(Catalogue& c)
{
    for (int input = 1; input <= ro::kInputCount; ++input) {
        FieldInfo f = Byte(Indexed("ReactionTime", input), ReactionTimeOffset(input), io::kReactionTime + std::size_t(input - 1));
        Place(f, kInputsPage, Join("Input " + Num(input), kReactionTimeHeader));
        c.push_back(SpinEdit(f, "SEtimerPod" + Num(input), fl::kTimer));
    }
    for (int output = 1; output <= ro::kOutputCount; ++output) {
        FieldInfo f = Byte(Indexed("OutputOffTime", output), OutputOffTimeOffset(output), io::kOutputOffTime + std::size_t(output - 1));
        Place(f, kOutputsPage, Join(OutputGroup(output), "Disable output " + Num(output) + " after time [s]"));
        c.push_back(SpinEdit(f, "SEWy_offTimer" + Num(output), fl::kTimer));
    }
    FieldInfo reject = Byte("ClipRejectTime", ro::kClipRejectTime, io::kClipRejectTime);
    c.push_back(SpinEdit(Place(reject, kBasicPage, "CLIP settings / Reject after [s]"), "SEcallingTimer", fl::kClipRejectTime));
    FieldInfo call = Byte("CallTime", ro::kCallTime, io::kCallTime);
    c.push_back(SpinEdit(Place(call, kBasicPage, "CLIP settings / Call time [s]"), "SECALL_TIMER", fl::kCallTime));
    FieldInfo flags = BitByte("Flags", ro::kFlags, io::kFlags, FieldKind::Flags, FlagBits(), "none");
    Place(flags, kOutputsPage, "output options");
    flags.editor = FieldEditor::CheckBoxes;
    c.push_back(flags);
    c.push_back(Reserved(ro::kReserved13));
    FieldInfo confirm = Byte("SmsConfirmTime", ro::kSmsConfirmTime, io::kSmsConfirmTime);
    c.push_back(SpinEdit(Place(confirm, kBasicPage, "SMS Settings / Time of confirmation [s]"), "SEInNONCSTAT18", fl::kSmsConfirmTime));
    FieldInfo tries = Byte("SmsSendTries", ro::kSmsSendTries, io::kSmsSendTries);
    tries.image = {{io::kSmsSendTries, 2}}; // written twice, read from the second
    c.push_back(SpinEdit(Place(tries, kBasicPage, "SMS Settings / Amount of tryies sending SMS"), "SEInONstat916", fl::kSmsSendTries));
    for (int input = 1; input <= ro::kInputCount; ++input) {
        FieldInfo f = Byte(Indexed("InputBlockTime", input), InputBlockTimeOffset(input), io::kInputBlockTime + std::size_t(input - 1));
        Place(f, kInputsPage, Join("Input " + Num(input), kBlockTimeHeader));
        c.push_back(SpinEdit(f, "SEtimerTorBuf" + Num(input), fl::kTimer));
    }
    FieldInfo report = Byte("ReportPeriod", ro::kReportPeriod, io::kReportPeriod);
    c.push_back(SpinEdit(Place(report, kBasicPage, "Periodic REPORT for USER 1 / Send report every [h]"), "SEtestokr", fl::kReportPeriod));

    // The codes go to the image right after the report period, in record order.
    const auto addCode = [&c](const char* name, int output, std::size_t offset, const char* caption, const char* control) {
        FieldInfo f = Field(Indexed(name, output), FieldBlock::Record, offset, ro::kCodeLength, FieldKind::Code);
        f.image = {{io::kReportPeriod + 1 + (offset - ro::kEnableCode), ro::kCodeLength}};
        Place(f, kOutputsPage, Join(OutputGroup(output), caption));
        c.push_back(Edit(f, control + Num(output), fl::kOutputCode));
    };
    for (int output = 1; output <= ro::kOutputCount; ++output)
        addCode("EnableCode", output, EnableCodeOffset(output), "Enable code", "EZalWy");
    for (int output = 1; output <= ro::kOutputCount; ++output)
        addCode("DisableCode", output, DisableCodeOffset(output), "Disable code", "EwylWy");

    FieldInfo access = Text("SmsAccessCode", FieldBlock::Record, ro::kSmsAccessCode, ro::kSmsAccessCodeCapacity);
    access.image = {{io::kSmsAccessCode, ro::kSmsAccessCodeCapacity}};
    c.push_back(Edit(Place(access, kBasicPage, "SMS programming / SMS access code"), "EPINMOD", fl::kSmsAccessCode));
    for (bool userFlags : {true, false}) {
        FieldInfo clip = BitByte(userFlags ? "ClipUserFlags" : "ClipUnknownFlags",
                                 userFlags ? ro::kClipUserFlags : ro::kClipUnknownFlags,
                                 userFlags ? io::kClipUserFlags : io::kClipUnknownFlags, FieldKind::Flags,
                                 ClipBits(userFlags), "none");
        Place(clip, kBasicPage, Str(userFlags ? kClipFromUser : kClipFromUnknown));
        clip.editor = FieldEditor::CheckBoxes;
        c.push_back(clip);
    }
    c.push_back(Reserved(ro::kReserved40));
}

FieldInfo Reaction(std::string name, std::size_t offset, std::size_t imageOffset, bool exitTimeBit)
{
    return BitByte(std::move(name), offset, imageOffset, FieldKind::OutputReaction, ReactionBits(exitTimeBit), "no output");
}

FieldInfo Notification(std::string name, std::size_t offset, std::size_t imageOffset)
{
    return BitByte(std::move(name), offset, imageOffset, FieldKind::Notification, NotificationBits(), "nobody");
}

FieldInfo& Dialog(FieldInfo& field, FieldEditor editor, std::string button)
{
    field.editor = editor;
    field.control = std::move(button);
    return field;
}

void AddInputReactions(Catalogue& c)
{
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            FieldInfo f = Reaction(Indexed("InputOutputReaction", input, edge), InputOutputReactionOffset(input, edge),
                                   PairInImage(io::kInputPairsEdge1, io::kInputPairsEdge2, input, edge) + 1, false);
            Place(f, kInputsPage, Join(Join("Input " + Num(input), InputEdge(input, edge)), kReactionHeader));
            c.push_back(Dialog(f, FieldEditor::ReactionDialog, "BB_ConfigNumerWe" + Num(input) + "Re" + Num(edge)));
        }
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            FieldInfo f = Notification(Indexed("InputNotification", input, edge), InputNotificationOffset(input, edge),
                                       PairInImage(io::kInputPairsEdge1, io::kInputPairsEdge2, input, edge));
            Place(f, kInputsPage, Join(Join("Input " + Num(input), InputEdge(input, edge)), kNotifyHeader));
            c.push_back(Dialog(f, FieldEditor::NotificationDialog, "BBConfigWorkWe" + Num(input) + "Re" + Num(edge)));
        }
}

void AddSpecialReactions(Catalogue& c)
{
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            const bool exitTimeBit = special == ro::kSpecialArmDisarm && edge == 2;
            FieldInfo f = Reaction(Indexed("SpecialOutputReaction", special, edge),
                                   SpecialOutputReactionOffset(special, edge),
                                   PairInImage(io::kSpecialPairsEdge1, io::kSpecialPairsEdge2, special, edge) + 1,
                                   exitTimeBit);
            // Only the two special inputs have reaction buttons; the confirmations' bytes have no editor.
            const SpecialPlace place = SpecialEntryPlace(special, edge);
            if (place.page == kSpecialPage) {
                Place(f, kSpecialPage, Join(Join(place.row, place.edge), kReactionHeader));
                Dialog(f, FieldEditor::ReactionDialog, "BB_ConfigNumerSpecWe" + Num(special) + "Re" + Num(edge));
            } else {
                f.caption = HiddenSpecialCaption(special, edge, "reaction of outputs");
            }
            c.push_back(f);
        }
    for (std::size_t i = 0; i < ro::kReservedCount85; ++i)
        c.push_back(Reserved(ro::kReserved85 + i));
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            FieldInfo f = Notification(Indexed("SpecialNotification", special, edge),
                                       SpecialNotificationOffset(special, edge),
                                       PairInImage(io::kSpecialPairsEdge1, io::kSpecialPairsEdge2, special, edge));
            const SpecialPlace place = SpecialEntryPlace(special, edge);
            if (!place.page.empty()) {
                const std::string_view header = place.page == kOutputsPage ? kConfirmNotifyHeader : kNotifyHeader;
                Place(f, place.page, Join(Join(place.row, place.edge), header));
                Dialog(f, FieldEditor::NotificationDialog, "BBConfigWorkSpecWe" + Num(special) + "Re" + Num(edge));
            } else {
                f.caption = HiddenSpecialCaption(special, edge, "notification");
            }
            c.push_back(f);
        }
}

void AddTexts(Catalogue& c)
{
    FieldInfo pin = Text("SimPin", FieldBlock::Record, ro::kSimPin, ro::kSimPinCapacity);
    pin.image = {{io::kSimPin, io::kSimPinCharacters + 3}}; // quote, four characters, quote, NUL
    c.push_back(Edit(Place(pin, kBasicPage, "SIM PIN Code"), "EPin", fl::kSimPin));
    FieldInfo centre = Text("SmsCentre", FieldBlock::Record, ro::kSmsCentre, ro::kPhoneNumberCapacity);
    centre.image = {{io::kSmsCentreSlot, io::kNumberSlotSize}};
    c.push_back(Edit(Place(centre, kBasicPage, "SMS center no."), "Ecsms", fl::kSmsCentre));
    for (int user = 1; user <= ro::kUserCount; ++user) {
        FieldInfo f = Text(Indexed("UserNumber", user), FieldBlock::Record, UserNumberOffset(user), ro::kPhoneNumberCapacity);
        f.image = {{io::kUserNumberSlots + io::kNumberSlotSize * std::size_t(user - 1), io::kNumberSlotSize}};
        c.push_back(Edit(Place(f, kNumbersPage, "User " + Num(user) + " number"), "Enruser" + Num(user), fl::kUserNumber));
    }
    for (int input = 1; input <= ro::kInputCount; ++input)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            FieldInfo f = Text(Indexed("InputText", input, edge), FieldBlock::Record, InputTextOffset(input, edge), ro::kSmsTextCapacity);
            f.image = {{TextSlotInImage(io::kInputTextsEdge1, io::kInputTextsEdge2, input, edge), io::kTextSlotSize}};
            Place(f, kInputsPage, Join(Join("Input " + Num(input), InputEdge(input, edge)), kSmsTextHeader));
            c.push_back(Edit(f, "ETSMS_We" + Num(input) + "_Re" + Num(edge), fl::kSmsText));
        }
    for (int special = 1; special <= ro::kSpecialCount; ++special)
        for (int edge = 1; edge <= ro::kEdgeCount; ++edge) {
            FieldInfo f = Text(Indexed("SpecialText", special, edge), FieldBlock::Record, SpecialTextOffset(special, edge), ro::kSmsTextCapacity);
            f.image = {{TextSlotInImage(io::kSpecialTextsEdge1, io::kSpecialTextsEdge2, special, edge), io::kTextSlotSize}};
            const SpecialPlace place = SpecialEntryPlace(special, edge);
            // Entries 4 and 6 keep their texts in hidden edits without a limit.
            if (!place.page.empty())
                Place(f, place.page, Join(Join(place.row, place.edge), kSmsTextHeader));
            else
                f.caption = HiddenSpecialCaption(special, edge, "SMS text");
            c.push_back(Edit(f, "ETSpecSMS_We" + Num(special) + "_Re" + Num(edge), place.page.empty() ? 0 : fl::kSmsText));
        }
    const struct {
        const char* name;
        std::size_t offset, imageOffset;
        const char* caption;
        const char* control;
    } alarmTimes[] = {
        {"ExitTime", ro::kExitTime, io::kExitTime, "Additional / time for exit", "SE1190"},
        {"EntryTime", ro::kEntryTime, io::kEntryTime, "Additional / time for entry", "SE1191"},
        {"SirenTime", ro::kSirenTime, io::kSirenTime, "Additional / time of siren alarm", "SE1192"},
    };
    for (const auto& time : alarmTimes) {
        FieldInfo f = Byte(time.name, time.offset, time.imageOffset);
        c.push_back(SpinEdit(Place(f, kBasicPage, time.caption), time.control, fl::kTimer));
    }
}

void AddNotes(Catalogue& c)
{
    for (int user = 1; user <= ro::kUserCount; ++user) {
        FieldInfo name = Text(Indexed("UserNote", user) + ".Name", FieldBlock::Notes, UserNameOffset(user), notes_offset::kNameCapacity);
        c.push_back(Edit(Place(name, kNumbersPage, "User " + Num(user) + " name"), "Eosoba" + Num(user), fl::kUserName));
        FieldInfo notes = Text(Indexed("UserNote", user) + ".Notes", FieldBlock::Notes, UserNotesTextOffset(user), notes_offset::kNotesCapacity);
        Place(notes, kNumbersPage, "User " + Num(user) + " notes");
        notes.editor = FieldEditor::Memo;
        notes.control = "Muser" + Num(user);
        notes.maxLength = fl::kUserNotesBytes;
        c.push_back(notes);
    }
}

Catalogue Build()
{
    Catalogue c;
    AddTimersAndFlags(c);
    AddInputReactions(c);
    AddSpecialReactions(c);
    AddTexts(c);
    AddNotes(c);
    return c;
}

const Catalogue& Fields()
{
    static const Catalogue catalogue = Build();
    return catalogue;
}

// For each byte of each block and of the image, the index of its field (-1: none).
struct ByteOwners {
    std::array<int, kRecordSize> record;
    std::array<int, kNotesSize> notes;
    std::array<int, kImageSize> image;
};

const ByteOwners& Owners()
{
    static const ByteOwners owners = [] {
        ByteOwners o;
        o.record.fill(-1);
        o.notes.fill(-1);
        o.image.fill(-1);
        const Catalogue& fields = Fields();
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const FieldInfo& f = fields[i];
            int* block = f.block == FieldBlock::Record ? o.record.data() : o.notes.data();
            std::fill_n(block + f.offset, f.size, int(i));
            for (const ImageBytes& bytes : f.image)
                std::fill_n(o.image.begin() + std::ptrdiff_t(bytes.offset), bytes.size, int(i));
        }
        return o;
    }();
    return owners;
}

const FieldInfo* ByIndex(int index)
{
    return index < 0 ? nullptr : &Fields()[std::size_t(index)];
}

} // namespace

std::span<const FieldInfo> FieldCatalogue()
{
    return Fields();
}

const FieldInfo* FindField(std::string_view name)
{
    const Catalogue& fields = Fields();
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const FieldInfo& f) { return f.name == name; });
    return found == fields.end() ? nullptr : &*found;
}

const FieldInfo* FieldAt(FieldBlock block, std::size_t offset)
{
    const ByteOwners& owners = Owners();
    if (block == FieldBlock::Record)
        return offset < kRecordSize ? ByIndex(owners.record[offset]) : nullptr;
    return offset < kNotesSize ? ByIndex(owners.notes[offset]) : nullptr;
}

const FieldInfo* ImageFieldAt(std::size_t imageOffset)
{
    return imageOffset < kImageSize ? ByIndex(Owners().image[imageOffset]) : nullptr;
}

std::string_view ImageByteRole(std::size_t imageOffset)
{
    if (imageOffset < io::kHeader + io::kHeaderSize)
        return "header";
    if (imageOffset == io::kChecksum)
        return "checksum";
    if (ImageFieldAt(imageOffset) != nullptr)
        return {};
    return "always zero";
}

std::span<const std::uint8_t> BlockBytes(FieldBlock block, const TSettingsRecord& record, const TUserNotes& notes)
{
    if (block == FieldBlock::Record)
        return record.bytes;
    return notes.bytes;
}

std::span<const std::uint8_t> FieldBytes(const FieldInfo& field, const TSettingsRecord& record, const TUserNotes& notes)
{
    return BlockBytes(field.block, record, notes).subspan(field.offset, field.size);
}

std::size_t ValueBytes(const FieldInfo& field, std::span<const std::uint8_t> fieldBytes)
{
    if (field.kind != FieldKind::ShortString)
        return fieldBytes.size();
    return 1 + std::min<std::size_t>(fieldBytes[0], field.capacity);
}

} // namespace morvel
