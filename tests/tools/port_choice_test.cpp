// The port a run opens (--port auto, --wait) and `morvel ports`, on port lists given by the test.
#include "tools/morvel/port_choice.h"
#include "tools/morvel/port_listing.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace morvel::cli {
namespace {

using namespace std::chrono_literals;

PortDescription BuiltIn(const char* name)
{
    PortDescription port;
    port.name = QString::fromUtf8(name);
    port.systemLocation = QStringLiteral("/dev/") + port.name;
    return port;
}

PortDescription Adapter(const char* name, const char* description, const char* serial)
{
    PortDescription port = BuiltIn(name);
    port.description = QString::fromUtf8(description);
    port.manufacturer = QStringLiteral("FTDI");
    port.serialNumber = QString::fromUtf8(serial);
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}

struct AutoCase {
    const char* name;
    PortDescriptions ports;
    std::optional<QString> chosen;
    std::string messages;
};

void PrintTo(const AutoCase& c, std::ostream* out)
{
    *out << c.name;
}

class AutoPort : public testing::TestWithParam<AutoCase> {};

TEST_P(AutoPort, TakesTheOnlyUsbAdapterAndListsTheCandidatesOtherwise)
{
    std::ostringstream messages;
    const PortDescriptions ports = GetParam().ports;
    EXPECT_EQ(ChoosePort({"auto", std::nullopt}, [&] { return ports; }, messages), GetParam().chosen);
    EXPECT_EQ(messages.str(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, AutoPort,
    testing::Values(
        AutoCase{"None", {BuiltIn("ttyS0")}, std::nullopt,
                 "morvel: --port auto: no USB serial adapter is connected; plug it in, or name the port with --port\n"
                 "morvel: the ports present: ttyS0\n"},
        AutoCase{"One", {BuiltIn("ttyS0"), Adapter("ttyUSB0", "FT232R USB UART", "A50285BI")}, QStringLiteral("ttyUSB0"),
                 "morvel: using ttyUSB0 (FT232R USB UART, FTDI, serial A50285BI)\n"},
        AutoCase{"Two",
                 {Adapter("ttyUSB0", "FT232R USB UART", "A50285BI"), Adapter("ttyUSB1", "FT232R USB UART", "A9K3LL2C")},
                 std::nullopt,
                 "morvel: --port auto: 2 USB serial adapters are connected; name the one the module is on with --port:\n"
                 "  ttyUSB0  FT232R USB UART, FTDI, serial A50285BI\n"
                 "  ttyUSB1  FT232R USB UART, FTDI, serial A9K3LL2C\n"}),
    [](const testing::TestParamInfo<AutoCase>& info) { return std::string(info.param.name); });

TEST(AutoPortWait, TakesTheAdapterThatIsPluggedInWhileWaiting)
{
    int listings = 0;
    const auto pluggedInLater = [&] {
        ++listings;
        return listings < 3 ? PortDescriptions{BuiltIn("ttyS0")}
                            : PortDescriptions{BuiltIn("ttyS0"), Adapter("ttyACM0", "Morvel cable", "")};
    };
    std::ostringstream messages;
    EXPECT_EQ(ChoosePort({"auto", 5s}, pluggedInLater, messages), QStringLiteral("ttyACM0"));
    EXPECT_EQ(messages.str(), "morvel: waiting up to 5 s for a USB serial adapter\n"
                              "morvel: using ttyACM0 (Morvel cable, FTDI)\n");
}

TEST(AutoPortWait, GivesUpWhenNoAdapterAppears)
{
    std::ostringstream messages;
    EXPECT_EQ(ChoosePort({"auto", 250ms}, [] { return PortDescriptions{}; }, messages), std::nullopt);
    EXPECT_EQ(messages.str(), "morvel: waiting up to 0.25 s for a USB serial adapter\n"
                              "morvel: no USB serial adapter appeared within 0.25 s; check the cable\n");
}

const PortDescriptions kListed = {BuiltIn("ttyS0"), Adapter("ttyUSB0", "FT232R USB UART", "A50285BI")};

TEST(PortList, OneLinePerPortWithEmptyFieldsWhereTheSystemKnowsNothing)
{
    std::ostringstream out, err;
    PrintPortList(kListed, ListFormat::Lines, out, err);
    EXPECT_EQ(out.str(), "ttyS0\t/dev/ttyS0\t\t\t\t\n"
                         "ttyUSB0\t/dev/ttyUSB0\tFT232R USB UART\tFTDI\t0403:6001\tA50285BI\n");
    EXPECT_EQ(err.str(), "");
}

TEST(PortList, JsonIsOneDocumentWithEveryField)
{
    std::ostringstream out, err;
    PrintPortList(kListed, ListFormat::Json, out, err);
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(out.str()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << out.str();
    const QJsonArray ports = document.object().value(QStringLiteral("ports")).toArray();
    ASSERT_EQ(ports.size(), 2);
    const QJsonObject adapter = ports.at(1).toObject();
    EXPECT_EQ(adapter.value(QStringLiteral("name")).toString(), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(adapter.value(QStringLiteral("systemLocation")).toString(), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(adapter.value(QStringLiteral("description")).toString(), QStringLiteral("FT232R USB UART"));
    EXPECT_EQ(adapter.value(QStringLiteral("manufacturer")).toString(), QStringLiteral("FTDI"));
    EXPECT_EQ(adapter.value(QStringLiteral("vidPid")).toString(), QStringLiteral("0403:6001"));
    EXPECT_EQ(adapter.value(QStringLiteral("serialNumber")).toString(), QStringLiteral("A50285BI"));
    EXPECT_EQ(ports.at(0).toObject().value(QStringLiteral("vidPid")).toString(), QString());
}

TEST(PortList, NoPortsIsNoFailureButSaysSo)
{
    for (const ListFormat format : {ListFormat::Lines, ListFormat::Json}) {
        std::ostringstream out, err;
        PrintPortList({}, format, out, err);
        EXPECT_EQ(err.str(), "morvel: no serial ports found; plug the adapter in (morvel ports lists it then)\n");
        EXPECT_EQ(out.str(), format == ListFormat::Json ? "{\n    \"ports\": [\n    ]\n}\n" : "");
    }
}

} // namespace
} // namespace morvel::cli
