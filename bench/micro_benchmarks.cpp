// Micro-benchmarks of the hot paths of a conversion: numbers, the parameter
// loop over a pad line, the pad set and the formatting of one test record.
#include "pads/pad_set.hpp"
#include "platform/text_input.hpp"
#include "reader/component_section.hpp"
#include "reader/input_reader.hpp"
#include "reader/parameter_loop.hpp"
#include "reader/param_value.hpp"
#include "writer/ipc356_writer.hpp"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const char kPadLine[] =
    "Pad:: Layer: \"Top Copper\" Type: S1 Center: 400,800 Size: 60,30 Pin: 1 Signal: GND\n";

void BM_ParseNumbers(benchmark::State& state, const char* text)
{
    ParamValue param;
    for (auto _ : state) {
        benchmark::DoNotOptimize(param.ParseNumbers(text));
        benchmark::DoNotOptimize(param.values);
    }
}
BENCHMARK_CAPTURE(BM_ParseNumbers, default_unit, "400,800 Size: 60,30\n");
BENCHMARK_CAPTURE(BM_ParseNumbers, millimetres, "77.4192mm,102.7430mm Size: 1.27mm\n");
BENCHMARK_CAPTURE(BM_ParseNumbers, degrees, "90\xB0\n");

// The loop over a typical pad line, each value scanned as the pad reader does.
void BM_ScanParameters(benchmark::State& state)
{
    auto param = std::make_unique<ParamValue>();
    char line[4096];
    std::memcpy(line, kPadLine, sizeof kPadLine);
    auto numeric = [](const char* name) {
        return std::strcmp(name, "Center") == 0 || std::strcmp(name, "Size") == 0 ||
               std::strcmp(name, "Hole") == 0 || std::strcmp(name, "Rotation") == 0;
    };
    for (auto _ : state) {
        ScanParameters(line, 5, *param, [&](const char* value) {
            return numeric(param->name) ? param->ParseNumbers(value) : param->ParseTextValue(value);
        });
        benchmark::DoNotOptimize(param->text);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (sizeof kPadLine - 1));
}
BENCHMARK(BM_ScanParameters);

// Whole pad lines through the component reader, all recorded into a pad set.
void BM_ReadComponentSection(benchmark::State& state)
{
    std::string board = "Component:: P1: U1 Rotation: 0.25\n";
    for (int i = 0; i < state.range(0); ++i)
        board += kPadLine;
    for (auto _ : state) {
        TextInput input = TextInput::FromBytes(board);
        auto reader = std::make_unique<InputReader>(input);
        PadSet pads;
        ReadComponentSection(*reader, 0.0254, pads);
        benchmark::DoNotOptimize(pads.Size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * board.size()));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadComponentSection)->Arg(10000);

// Records of a board: 20,000 nets, components of a few pins.
std::vector<PadRecord> SomePads(std::size_t count)
{
    std::mt19937 random(1);
    std::vector<PadRecord> pads(count);
    for (std::size_t i = 0; i < count; ++i) {
        PadRecord& pad = pads[i];
        pad.kind = i % 4 ? PadKind::Surface : PadKind::Through;
        pad.layer = kTopCopper;
        pad.centerX = 10.16 + static_cast<double>(i % 1000);
        pad.centerY = -3.175;
        pad.sizeX = pad.sizeY = 1.524;
        pad.holeDiameter = 0.8;
        std::snprintf(pad.net, sizeof pad.net, random() % 8 ? "SIG_%u" : "GND", static_cast<unsigned>(random() % 20000));
        std::snprintf(pad.reference, sizeof pad.reference, "U%u", static_cast<unsigned>(i / 8));
        std::snprintf(pad.pin, sizeof pad.pin, "%u", static_cast<unsigned>(i % 8 + 1));
    }
    return pads;
}

void BM_PadSetInsert(benchmark::State& state)
{
    std::vector<PadRecord> records = SomePads(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        PadSet pads;
        for (const PadRecord& pad : records)
            pads.Insert(pad);
        benchmark::DoNotOptimize(pads.Size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PadSetInsert)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Inserting and then visiting in order, which sorts.
void BM_PadSetInsertAndVisit(benchmark::State& state)
{
    std::vector<PadRecord> records = SomePads(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        PadSet pads;
        for (const PadRecord& pad : records)
            pads.Insert(pad);
        double sum = 0;
        pads.VisitInOrder([&](const PadRecord& pad) { sum += pad.centerX; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PadSetInsertAndVisit)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_FormatTestRecord(benchmark::State& state, PadKind kind)
{
    PadRecord pad;
    pad.kind = kind;
    pad.layer = kTopCopper;
    std::strcpy(pad.net, "GND");
    std::strcpy(pad.reference, "U1");
    std::strcpy(pad.pin, "1");
    pad.centerX = 12.7;
    pad.centerY = -3.175;
    pad.sizeX = pad.sizeY = 1.524;
    pad.holeDiameter = 0.8;
    pad.rotation = 90;
    char record[kMaxTestRecord];
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatTestRecord(pad, record));
        benchmark::ClobberMemory();
    }
}
BENCHMARK_CAPTURE(BM_FormatTestRecord, through, PadKind::Through);
BENCHMARK_CAPTURE(BM_FormatTestRecord, surface, PadKind::Surface);

} // namespace

BENCHMARK_MAIN();
