// Loading a large mesh file with TMesh against a DOM parse of the same file by pugixml.
// The mesh (a 50 x 50 grid, 5,000 faces, every optional group written, indented like an
// exported file) is generated into a temporary directory at start-up; the ratio of the two
// times is printed at the end.
#include "assets/meshunit.h"
#include "assets/xmlhelperunit.h"

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
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

void BM_MeshLoad(benchmark::State& state) {
    for (auto _ : state) {
        TBenchMesh mesh;
        mesh.LoadFromFile(FileName);
        benchmark::DoNotOptimize(mesh.Faces().data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(FileName)));
}
BENCHMARK(BM_MeshLoad)->Unit(benchmark::kMillisecond);

void BM_PugixmlParse(benchmark::State& state) {
    for (auto _ : state) {
        pugi::xml_document document;
        if (!document.load_file(FileName)) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(document.first_child());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(FileName)));
}
BENCHMARK(BM_PugixmlParse)->Unit(benchmark::kMillisecond);

// Remembers each benchmark's time per iteration so the ratio can be printed.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> Times;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            Times[run.benchmark_name()] = run.GetAdjustedRealTime();
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

    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto ours = reporter.Times.find("BM_MeshLoad");
    auto pugi = reporter.Times.find("BM_PugixmlParse");
    if (ours != reporter.Times.end() && pugi != reporter.Times.end() && pugi->second > 0)
        std::printf("mesh load / pugixml parse: %.2fx\n", ours->second / pugi->second);

    fs::current_path(previous);
    fs::remove_all(dir);
    return 0;
}
