// make_examples: writes the bundled example drivers and projects as plain store text.
//   make_examples DIR    writes DIR/NAME.TVC.plain and DIR/NAME.TVP.plain
// The build codes them into the files the program ships (data/CMakeLists.txt).
#include "example_records.h"
#include "foundation/atomic_file.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"

#include <cstdio>
#include <filesystem>

using namespace tavrel;

namespace {

bool write(const std::filesystem::path& dir, const std::string& fileName, TMyIniFile& store) {
    const std::string path = (dir / (fileName + ".plain")).string();
    const std::string error = WriteFileAtomically(path, store.ToBytes());
    if (!error.empty()) {
        std::fprintf(stderr, "make_examples: %s\n", error.c_str());
    }
    return error.empty();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make_examples DIR\n", stderr);
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    bool ok = true;
    for (const examples::ExampleDriver& e : examples::ExampleDrivers()) {
        TMyIniFile store("", false, true, false);
        WriteChassisFileStore(*e.driver, store);
        ok = write(dir, e.fileName, store) && ok;
    }
    for (const examples::ExampleProject& e : examples::ExampleProjects()) {
        TMyIniFile store("", false, true, false);
        WriteProjektStore(*e.projekt, store);
        ok = write(dir, e.fileName, store) && ok;
    }
    return ok ? 0 : 1;
}
