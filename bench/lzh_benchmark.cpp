// Encode and decode speed of the LZH codec on the two largest kinds of payload
// the program carries: the keyboard picture and an executable.

#include "sample_inputs.h"

#include "datastore/lzh_codec.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::filesystem::path kKeyboardPicture = std::filesystem::path(TAPSODY_SOURCE_DIR) / "data" / "bildmemo.bmp";

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The keyboard picture of the source tree, or a generated one like it.
const std::string& Bitmap()
{
    static const std::string bitmap = [] {
        std::string picture = ReadFile(kKeyboardPicture);
        return picture.empty() ? GeneratedKeyboardBitmap() : picture;
    }();
    return bitmap;
}

const std::string& Executable()
{
    static const std::string executable = GeneratedExecutable();
    return executable;
}

// Throughput in decimal megabytes of uncompressed data per second.
void ReportSpeed(benchmark::State& state, const std::string& plain, const std::string& block)
{
    state.counters["MB/s"] = benchmark::Counter(
        static_cast<double>(plain.size()) * static_cast<double>(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
    state.counters["in"] = static_cast<double>(plain.size());
    state.counters["out"] = static_cast<double>(block.size());
}

void Encode(benchmark::State& state, const std::string& plain)
{
    std::string block;
    for (auto _ : state) {
        block = LzhEncodeBytes(plain);
        benchmark::DoNotOptimize(block.data());
    }
    ReportSpeed(state, plain, block);
}

void Decode(benchmark::State& state, const std::string& plain)
{
    const std::string block = LzhEncodeBytes(plain);
    if (LzhDecodeBytes(block) != plain) {
        state.SkipWithError("the decoded bytes differ from the input");
        return;
    }
    for (auto _ : state) {
        std::string decoded = LzhDecodeBytes(block);
        benchmark::DoNotOptimize(decoded.data());
    }
    ReportSpeed(state, plain, block);
}

void BM_EncodeBitmap(benchmark::State& state)
{
    Encode(state, Bitmap());
}
void BM_DecodeBitmap(benchmark::State& state)
{
    Decode(state, Bitmap());
}
void BM_EncodeExecutable(benchmark::State& state)
{
    Encode(state, Executable());
}
void BM_DecodeExecutable(benchmark::State& state)
{
    Decode(state, Executable());
}

BENCHMARK(BM_EncodeBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeExecutable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeExecutable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const bool picture = std::filesystem::exists(kKeyboardPicture);
    benchmark::AddCustomContext("bitmap", picture ? kKeyboardPicture.string() : "generated keyboard bitmap");
    benchmark::AddCustomContext("executable", "generated x86-64-like code, strings and tables");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
