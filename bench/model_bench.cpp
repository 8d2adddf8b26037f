// Encode, decode, write and read of a settings file, on a record with every text filled.
#include "model/defaults.h"
#include "model/image_codec.h"
#include "model/record_fields.h"
#include "model/settings_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

using namespace morvel;

// A record as an installer leaves it: numbers, texts in every slot, some notes.
SettingsModel FilledModel()
{
    SettingsModel model;
    ApplyDefaults(model.record);
    SimPin(model.record).assign("1234");
    SmsCentre(model.record).assign("+48602951111");
    for (int user = 1; user <= 4; ++user) {
        UserNumber(model.record, user).assign("+4860123456" + std::to_string(user));
        UserName(model.notes, user).assign("User " + std::to_string(user));
        UserNotesText(model.notes, user).assign(std::string(200, 'n'));
    }
    for (int edge = 1; edge <= 2; ++edge) {
        for (int input = 1; input <= 8; ++input)
            InputText(model.record, input, edge).assign("Input " + std::to_string(input) + " alarm, edge " + std::to_string(edge));
        for (int special = 1; special <= 6; ++special)
            SpecialText(model.record, special, edge).assign(std::string(36, 's'));
    }
    return model;
}

std::filesystem::path BenchFile()
{
    return std::filesystem::temp_directory_path() / ("morvel-bench-" + std::to_string(::getpid()) + ".orv");
}

void BM_EncodeImage(benchmark::State& state)
{
    SettingsModel model = FilledModel();
    for (auto _ : state) {
        EncodeImage(model.record, model.image);
        benchmark::DoNotOptimize(model.image.bytes.data());
    }
}
BENCHMARK(BM_EncodeImage);

void BM_DecodeImage(benchmark::State& state)
{
    SettingsModel model = FilledModel();
    EncodeImage(model.record, model.image);
    for (auto _ : state) {
        DecodeImage(model.image, model.record);
        benchmark::DoNotOptimize(model.record.bytes.data());
    }
}
BENCHMARK(BM_DecodeImage);

// Includes the flush to the disk that makes a save safe.
void BM_WriteSettingsFile(benchmark::State& state)
{
    const SettingsModel model = FilledModel();
    const std::filesystem::path file = BenchFile();
    for (auto _ : state) {
        if (WriteSettingsFile(model.record, model.notes, file))
            state.SkipWithError("write failed");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_WriteSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_ReadSettingsFile(benchmark::State& state)
{
    SettingsModel model = FilledModel();
    const std::filesystem::path file = BenchFile();
    if (WriteSettingsFile(model.record, model.notes, file)) {
        state.SkipWithError("cannot write the file to read");
        return;
    }
    for (auto _ : state) {
        if (ReadSettingsFile(file, model.record, model.notes))
            state.SkipWithError("read failed");
    }
    std::filesystem::remove(file);
}
BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
