// The job report of a full settings file: every user, every input edge and both special inputs
// doing something, every text filled. Goal: the PDF in under 100 ms.
#include "model/defaults.h"
#include "model/record_fields.h"
#include "report/report_builder.h"
#include "report/report_html.h"
#include "report/report_pdf.h"

#include <QDateTime>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace morvel;

SettingsModel FullModel()
{
    SettingsModel model;
    ApplyDefaults(model.record);
    SimPin(model.record).assign("1234");
    SmsCentre(model.record).assign("+48602951111");
    SmsAccessCode(model.record).assign("ab12");
    model.record.bytes[12] = 0x3F; // every option of the outputs, the report and SMS programming
    model.record.bytes[38] = 0x41;
    SetEnableCode(model.record, 1, "A1");
    SetDisableCode(model.record, 1, "A0");
    for (int user = 1; user <= 4; ++user) {
        UserNumber(model.record, user).assign("+4860123456" + std::to_string(user));
        UserName(model.notes, user).assign("U\xBFytkownik " + std::to_string(user));
        UserNotesText(model.notes, user).assign(std::string(100, 'n') + "\r\n" + std::string(100, 'm'));
    }
    for (int edge = 1; edge <= 2; ++edge) {
        for (int input = 1; input <= 8; ++input) {
            model.record.bytes[InputOutputReactionOffset(input, edge)] = 0x0E;
            model.record.bytes[InputNotificationOffset(input, edge)] = 0x5A;
            InputText(model.record, input, edge).assign("Wej\x9C" "cie " + std::to_string(input) + " alarm, zbocze " + std::to_string(edge));
        }
        for (int special = 1; special <= 6; ++special) {
            model.record.bytes[SpecialOutputReactionOffset(special, edge)] = 0x20;
            model.record.bytes[SpecialNotificationOffset(special, edge)] = 0x05;
            SpecialText(model.record, special, edge).assign(std::string(35, 's'));
        }
    }
    return model;
}

const ReportSource kSource{QStringLiteral("customer.orv"), QStringLiteral("morvel bench"), QDateTime::currentDateTime(),
                           std::nullopt};

void ContentAndHtml(benchmark::State& state)
{
    const SettingsModel model = FullModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportHtml(BuildReport(model.record, model.notes, kSource, {})));
}
BENCHMARK(ContentAndHtml)->Unit(benchmark::kMillisecond);

void FullPdf(benchmark::State& state)
{
    const SettingsModel model = FullModel();
    for (auto _ : state) {
        const QByteArray pdf = ReportPdf(BuildReport(model.record, model.notes, kSource, {}));
        benchmark::DoNotOptimize(pdf.data());
        state.counters["bytes"] = double(pdf.size());
    }
}
BENCHMARK(FullPdf)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
