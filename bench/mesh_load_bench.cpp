// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading a large mesh file with TMesh, and reading it into a document with the XML reader,
// against a DOM parse of the same file by pugixml. The mesh (a 50 x 50 grid, 5,000 faces,
// every optional group written, indented like an exported file) is generated into a
// temporary directory at start-up; the largest mesh of the generated media is read as well.
// The document is timed whole (file to tree and back to nothing) and split into building the
// tree and tearing it down; the ratios are printed at the end.
#include "assets/meshunit.h"
#include "assets/xmlhelperunit.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

constexpr int Grid = 50;

class TBenchMesh : public TMesh {
public:
    void Draw() override {}
};

std::string Element(const char* name, const std::string& text) {
    return std::string("   <") + name + ">" + text + "</" + name + ">\n";
}

std::string Vertex(int id, float x, float y, float z) {
    return "  <VERTEX id=\"" + std::to_string(id) + "\">\n" + Element("X", FloatToStr(x)) +
           Element("Y", FloatToStr(y)) + Element("Z", FloatToStr(z)) + Element("NX", "0") +
           Element("NY", "1") + Element("NZ", "0") + Element("U", FloatToStr(x / Grid)) +
           Element("V", FloatToStr(z / Grid)) + "  </VERTEX>\n";
}

std::string Face(int id, int a, int b, int c) {
    std::string xml = "  <FACE id=\"" + std::to_string(id) + "\">\n" +
                      Element("A", std::to_string(a)) + Element("B", std::to_string(b)) +
                      Element("C", std::to_string(c));
    for (const char* name : {"AU", "AV", "BU", "BV", "CU", "CV"})
        xml += Element(name, FloatToStr(0.123456f * static_cast<float>(id % 7)));
    return xml + Element("NX", "0") + Element("NY", "1") + Element("NZ", "0") +
           Element("SMOOTH", id % 2 == 0 ? "1" : "0") + "  </FACE>\n";
}

std::string BigMeshXml() {
    const int side = Grid + 1;
    std::string xml = "<?xml version=\"1.0\"?>\n<MESH>\n <NAME>grid</NAME>\n <FACECOUNT>" +
                      std::to_string(2 * Grid * Grid) + "</FACECOUNT>\n <POINTCOUNT>" +
                      std::to_string(side * side) + "</POINTCOUNT>\n <POINTS>\n";
    for (int i = 0; i < side * side; ++i)
        xml += Vertex(i, static_cast<float>(i % side), 0.01f * static_cast<float>(i % 13),
                      static_cast<float>(i / side));
    xml += " </POINTS>\n <FACES>\n";
    for (int row = 0, id = 0; row < Grid; ++row)
        for (int column = 0; column < Grid; ++column) {
            int corner = row * side + column;
            xml += Face(id++, corner, corner + side, corner + 1);
            xml += Face(id++, corner + 1, corner + side, corner + side + 1);
        }
    return xml + " </FACES>\n</MESH>\n";
}

const char* const FileName = "grid.mesh";
// The largest mesh of the generated media, copied next to the grid.
const char* const RealFileName = "real.mesh";

const char* BenchFile(const benchmark::State& state) {
    return state.range(0) == 0 ? FileName : RealFileName;
}

void CountBytes(benchmark::State& state) {
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(BenchFile(state))));
}

void BM_MeshLoad(benchmark::State& state) {
    for (auto _ : state) {
        TBenchMesh mesh;
        mesh.LoadFromFile(BenchFile(state));
        benchmark::DoNotOptimize(mesh.Faces().data());
    }
    CountBytes(state);
}
BENCHMARK(BM_MeshLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PugixmlParse(benchmark::State& state) {
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(BenchFile(state))) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(document.first_child());
    }
    CountBytes(state);
}
BENCHMARK(BM_PugixmlParse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_XmlDocument(benchmark::State& state) {
    for (auto _ : state) {
        TXMLDocument document;
        document.LoadFromFile(BenchFile(state));
        benchmark::DoNotOptimize(&document.Root());
    }
    CountBytes(state);
}
BENCHMARK(BM_XmlDocument)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

std::unique_ptr<TXMLDocument> LoadXml(benchmark::State& state) {
    auto document = std::make_unique<TXMLDocument>();
    document->LoadFromFile(BenchFile(state));
    return document;
}

std::unique_ptr<pugi::xml_document> LoadPugixml(benchmark::State& state) {
    auto document = std::make_unique<pugi::xml_document>();
    if (!document->load_file(BenchFile(state))) state.SkipWithError("pugixml failed");
    return document;
}

// The build and teardown halves, each timed with the other paused; the documents live on
// the heap so that the teardown is the one thing timed.
template <auto Load> void BM_Build(benchmark::State& state) {
    for (auto _ : state) {
        auto document = Load(state);
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}

template <auto Load> void BM_Teardown(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto document = Load(state);
        state.ResumeTiming();
        document.reset();
    }
}

BENCHMARK(BM_Build<LoadXml>)->Name("BM_XmlBuild")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Teardown<LoadXml>)
    ->Name("BM_XmlTeardown")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build<LoadPugixml>)
    ->Name("BM_PugixmlBuild")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Teardown<LoadPugixml>)
    ->Name("BM_PugixmlTeardown")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// Remembers each benchmark's CPU time per iteration so the ratios can be printed: on a
// shared machine the wall time also counts the other programs.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            Times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    // A private working directory: the mesh file and the loader's log go there.
    fs::path dir = fs::temp_directory_path() / ("quelmark-mesh-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    fs::path previous = fs::current_path();
    fs::current_path(dir);
    std::ofstream(FileName, std::ios::binary) << BigMeshXml();
    std::printf("mesh file: %d faces, %ju bytes\n", 2 * Grid * Grid,
                static_cast<uintmax_t>(fs::file_size(FileName)));
    fs::path largest;
    for (const auto& entry : fs::directory_iterator(QUELMARK_MEDIA_DIR))
        if (entry.path().extension() == ".mesh" &&
            (largest.empty() || entry.file_size() > fs::file_size(largest)))
            largest = entry.path();
    if (largest.empty()) {
        std::fprintf(stderr, "no mesh in %s\n", QUELMARK_MEDIA_DIR);
        return 1;
    }
    fs::copy_file(largest, RealFileName);
    std::printf("largest media mesh: %s, %ju bytes\n", largest.filename().c_str(),
                static_cast<uintmax_t>(fs::file_size(RealFileName)));

    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto ratio = [&](const char* what, const std::string& ours, const std::string& theirs) {
        for (const char* file : {"/0", "/1"}) {
            auto a = reporter.Times.find(ours + file), b = reporter.Times.find(theirs + file);
            if (a != reporter.Times.end() && b != reporter.Times.end() && b->second > 0)
                std::printf("%-44s %s: %.2fx\n", what,
                            file[1] == '0' ? "grid mesh" : "largest media mesh",
                            a->second / b->second);
        }
    };
    ratio("mesh load / pugixml parse", "BM_MeshLoad", "BM_PugixmlParse");
    ratio("XML document / pugixml parse", "BM_XmlDocument", "BM_PugixmlParse");
    ratio("XML document build / pugixml build", "BM_XmlBuild", "BM_PugixmlBuild");
    ratio("XML document teardown / pugixml teardown", "BM_XmlTeardown", "BM_PugixmlTeardown");

    fs::current_path(previous);
    fs::remove_all(dir);
    return 0;
}
