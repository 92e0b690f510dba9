// Loading a large text into the delimited text reader, against the least work that finds its
// lines: a bare scan for CR LF over the same text, and one read() of the same file that counts
// its line ends. scripts/bench prints the ratios, and the peak heap of reading a 256 MiB file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

#include "HeapPeak.h"
#include "platform/Runtime.h"
#include "platform/posix/LocaleTextDecoder.h"
#include "platform/posix/PosixFileSystem.h"
#include "text/CharSearch.h"
#include "text/Cls_CSVSeparater.h"

namespace tabora {
namespace {

constexpr size_t kTextBytes = 64u << 20;

// 64 MiB of UTF-16: short CR LF lines of three fields, the first a seven-digit number.
const std::u16string& LargeText() {
    static const std::u16string text = [] {
        std::u16string t;
        t.reserve(kTextBytes / sizeof(char16_t) + 64);
        char line[64];
        for (unsigned i = 0; t.size() * sizeof(char16_t) < kTextBytes; ++i) {
            const int n = std::snprintf(line, sizeof line, "%07u,Sheet,memo\r\n", i);
            t.append(line, line + n);
        }
        return t;
    }();
    return text;
}

// The least work that finds the records: every CR LF position, with the reader's own search.
void BM_CrLfScanOnly(benchmark::State& state) {
    const std::u16string_view text = LargeText();
    for (auto _ : state) {
        size_t lines = 0, last = 0;
        text::ForEachUnit(text, u'\r', [&](size_t at) {
            if (at + 1 < text.size() && text[at + 1] == u'\n') {
                ++lines;
                last = at;
            }
            return true;
        });
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(last);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}
BENCHMARK(BM_CrLfScanOnly)->Unit(benchmark::kMillisecond);

size_t WalkFieldZero(Cls_CSVSeparater& reader) {
    size_t fieldChars = 0;
    for (bool more = reader.MoveFirst(); more; more = reader.MoveNext()) fieldChars += reader.GetItem(0).size();
    return fieldChars;
}

// The text handed over as a window hands over its text box's text: a string of the caller's own,
// moved in. Making that string, and freeing it with the reader, is not timed.
void BM_SetBaseDataAndWalk(benchmark::State& state) {
    const std::u16string& text = LargeText();
    for (auto _ : state) {
        state.PauseTiming();
        std::u16string handedOver = text;
        auto reader = std::make_unique<Cls_CSVSeparater>();
        state.ResumeTiming();
        reader->SetBaseData(std::move(handedOver));
        benchmark::DoNotOptimize(WalkFieldZero(*reader));
        state.PauseTiming();
        reader.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}
BENCHMARK(BM_SetBaseDataAndWalk)->Unit(benchmark::kMillisecond);

// The same with a text the caller keeps: SetBaseData then copies it.
void BM_SetBaseDataCopyAndWalk(benchmark::State& state) {
    const std::u16string& text = LargeText();
    for (auto _ : state) {
        Cls_CSVSeparater reader;
        reader.SetBaseData(text);
        benchmark::DoNotOptimize(WalkFieldZero(reader));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}
BENCHMARK(BM_SetBaseDataCopyAndWalk)->Unit(benchmark::kMillisecond);

std::filesystem::path BenchFile(const char* name) {
    return std::filesystem::temp_directory_path() / ("tabora-bench-" + std::to_string(::getpid()) + "-" + name);
}

// UTF-8 of at least the given size, written in pieces: short lines ending in lineEnd, every
// fourth with Japanese fields unless asciiOnly.
std::filesystem::path WriteUtf8File(const char* name, size_t size, bool asciiOnly = false,
                                    const std::string& lineEnd = "\r\n") {
    const auto path = BenchFile(name);
    std::FILE* out = std::fopen(path.c_str(), "wb");
    std::string bytes;
    char line[64];
    for (unsigned i = 0, written = 0; written < size; written += static_cast<unsigned>(bytes.size())) {
        bytes.clear();
        for (; bytes.size() < (1u << 20); ++i) {
            const int n = i % 4 == 3 && !asciiOnly ? std::snprintf(line, sizeof line, "%07u,\xE3\x82\xB7\xE3\x83\xBC\xE3\x83\x88,\xE8\xA1\xA8", i)
                                     : std::snprintf(line, sizeof line, "%07u,Sheet,memo", i);
            bytes.append(line, static_cast<size_t>(n));
            bytes += lineEnd;
        }
        std::fwrite(bytes.data(), 1, bytes.size(), out);
    }
    std::fclose(out);
    return path;
}

const std::filesystem::path& LargeUtf8File() {
    static const std::filesystem::path path = WriteUtf8File("64.csv", kTextBytes);
    return path;
}

// The line ends of the 256 MiB files: CR LF, LF alone (one line, as LF does not end one) and CR
// alone (each gains an LF in the text).
constexpr const char* kLineEnds[] = {"\r\n", "\n", "\r"};
constexpr const char* kHugeFileNames[] = {"256-crlf.csv", "256-lf.csv", "256-cr.csv"};

const std::filesystem::path& HugeUtf8File(size_t lineEnds) {
    // ASCII, so that the text has as many characters as the file has bytes.
    static std::filesystem::path paths[std::size(kLineEnds)];
    if (paths[lineEnds].empty())
        paths[lineEnds] = WriteUtf8File(kHugeFileNames[lineEnds], size_t{256} << 20, true, kLineEnds[lineEnds]);
    return paths[lineEnds];
}

struct RemoveFilesAtExit {
    ~RemoveFilesAtExit() {
        std::error_code ignored;
        std::filesystem::remove(BenchFile("64.csv"), ignored);
        for (const char* name : kHugeFileNames) std::filesystem::remove(BenchFile(name), ignored);
    }
} removeFilesAtExit;

void BM_ReadWholeFileAndCountLineEnds(benchmark::State& state) {
    const auto& path = LargeUtf8File();
    const size_t size = std::filesystem::file_size(path);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        auto buffer = std::make_unique_for_overwrite<char[]>(size);
        const ssize_t got = ::read(fd, buffer.get(), size);
        ::close(fd);
        benchmark::DoNotOptimize(std::count(buffer.get(), buffer.get() + std::max<ssize_t>(got, 0), '\n'));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
}
BENCHMARK(BM_ReadWholeFileAndCountLineEnds)->Unit(benchmark::kMillisecond);

void BM_ReadBaseFile(benchmark::State& state) {
    const auto& path = LargeUtf8File();
    platform::posix::PosixFileSystem files;
    platform::posix::LocaleTextDecoder decoder("UTF-8");
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    const std::string native = path.string();
    const std::u16string name(native.begin(), native.end());
    for (auto _ : state) {
        Cls_CSVSeparater reader;
        if (!reader.ReadBaseFile(name)) state.SkipWithError("ReadBaseFile failed");
        benchmark::DoNotOptimize(reader.GetItemCount());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(path)));
}
BENCHMARK(BM_ReadBaseFile)->Unit(benchmark::kMillisecond);

// The most heap that reading a 256 MiB file takes at once, over what was held before: the UTF-16
// text is twice the file's size, and the target is to stay near it whatever the line ends.
void BM_ReadBaseFile256MiBPeakHeap(benchmark::State& state, size_t lineEnds) {
    const auto& path = HugeUtf8File(lineEnds);
    const double fileBytes = static_cast<double>(std::filesystem::file_size(path));
    platform::posix::PosixFileSystem files;
    platform::posix::LocaleTextDecoder decoder("UTF-8");
    platform::ScopedRuntime runtime{{.files = &files, .legacyText = &decoder}};
    const std::string native = path.string();
    const std::u16string name(native.begin(), native.end());
    size_t peak = 0;
    for (auto _ : state) {
        const size_t before = bench::HeapInUse();
        bench::ResetHeapPeak();
        {
            Cls_CSVSeparater reader;
            if (!reader.ReadBaseFile(name)) state.SkipWithError("ReadBaseFile failed");
            benchmark::DoNotOptimize(reader.GetItemCount());
        }
        peak = std::max(peak, bench::HeapPeak() - before);
    }
    state.counters["file_MiB"] = fileBytes / (1 << 20);
    state.counters["peak_heap_MiB"] = static_cast<double>(peak) / (1 << 20);
    state.counters["peak_per_file_byte"] = static_cast<double>(peak) / fileBytes;
}
BENCHMARK_CAPTURE(BM_ReadBaseFile256MiBPeakHeap, CrLf, 0)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_ReadBaseFile256MiBPeakHeap, Lf, 1)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_ReadBaseFile256MiBPeakHeap, Cr, 2)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace tabora
