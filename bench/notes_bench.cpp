// Long user data in reports, and a camera photo through the picture loader.
// - BM_NotesLayout/N: the text report's lines for a notes field of N bytes of
//   words (no cap: the layout alone), wrapped at 116 columns; linear in N.
// - BM_NotesReportPdf: `lumivorexan-cli report mixed-24.frg --notes N.txt --pdf`
//   with a 10 MB notes field, end to end. Target: under 2 s.
// - BM_LoadPhoto: a 6000 x 4000 JPEG photo read, checked and decoded.
#include "cli/clicommand.h"
#include "report/textreport.h"
#include "ui/picture/pictureloader.h"

#include <QBuffer>
#include <QImage>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Words of 1..12 letters separated by blanks, a line break now and then.
std::string notesText(std::size_t bytes) {
    std::string text;
    text.reserve(bytes);
    unsigned seed = 12345;
    while (text.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        text.append(1 + (seed >> 16) % 12, 'w');
        text += (seed >> 8) % 50 == 0 ? '\n' : ' ';
    }
    text.resize(bytes);
    return text;
}

fs::path scratch(const char* name) {
    const fs::path dir =
        fs::temp_directory_path() / ("lumi_notes_bench_" + std::to_string(::getpid()) + name);
    fs::create_directories(dir);
    return dir;
}

void BM_NotesLayout(benchmark::State& state) {
    lumi::TextReportInput input;
    input.userData[4] = notesText(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::textReportLines(input, 116));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NotesLayout)->Arg(800000)->Arg(1600000)->Arg(10000000)->Unit(benchmark::kMillisecond);

void BM_NotesReportPdf(benchmark::State& state) {
    const fs::path dir = scratch("pdf");
    {
        std::ofstream notes(dir / "notes.txt", std::ios::binary);
        notes << "\"2026-12-09\"\r\n\"A. User\"\r\n\"\"\r\n\"\"\r\n\"" << notesText(10000000)
              << "\"\r\n";
    }
    const std::vector<std::string> args{"report",  LUMI_SOURCE_DIR "/examples/mixed-24.frg",
                                        "--notes", (dir / "notes.txt").string(),
                                        "--pdf",   (dir / "out.pdf").string()};
    for (auto _ : state) {
        std::ostringstream out, err;
        if (lumi::cli::runCli(args, out, err) != 0)
            state.SkipWithError(err.str().c_str());
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_NotesReportPdf)->Unit(benchmark::kMillisecond);

void BM_LoadPhoto(benchmark::State& state) {
    const fs::path dir = scratch("photo");
    QImage photo(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb((x * 7 + y) % 256, 0, 0);
    }
    photo.save(QString::fromStdString((dir / "photo.jpg").string()), "JPEG", 90);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lumi::loadPicture(dir / "photo.jpg"));
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_LoadPhoto)->Unit(benchmark::kMillisecond);

} // namespace
