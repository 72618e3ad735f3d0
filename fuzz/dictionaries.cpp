// The dictionaries of the store targets (driver.dict, project.dict): every section and key name
// the file writers write, numbered sections and part slots once with number 1, so that campaigns
// reach the code behind each key. scripts/fuzz checks them before every run; --write makes them.
//   fuzz_dictionaries FUZZ_DIR [--write]
#include "app/project_load.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>

using namespace tavrel;

namespace {

std::string dictionaryOf(const TMyIniFile& store) {
    std::set<std::string> names;
    for (const TSection& section : store.Sections()) {
        names.insert(std::regex_replace(section.Name, std::regex(R"(\d+$)"), "1"));
        for (const std::string& key : section.Keys) {
            const std::string part = std::regex_replace(key, std::regex(R"(^_Part\d+)"), "_Part1");
            names.insert(std::regex_replace(part, std::regex(R"(^EQ\d+)"), "EQ1"));
        }
    }
    std::string text =
        "# Made by fuzz/dictionaries.cpp: the store's syntax, then every section and "
        "key name.\n\"" +
        std::string(TMyIniFile::Header) + "\"\n\"\\x0d\\x0a#\"\n\"=\\x09\"\n";
    for (const std::string& name : names) {
        text += "\"" + name + "\"\n";
    }
    return text;
}

std::string driverDictionary() {
    TMyIniFile store("", false, true, false);
    auto driver = std::make_unique<TChassis>();
    WriteChassisFileStore(*driver, store);
    WriteChassis(*driver, store, MakerText, ""); // the maker marker too
    return dictionaryOf(store);
}

/// One part of every kind, and a DSP channel with sections that use every field, so that every
/// per-part and per-section key is written.
std::string projectDictionary() {
    auto project = std::make_unique<TProjekt>();
    ResetProject(*project);
    TWeiche& weiche = project->Amps[0].Weiche;
    weiche[0].typ = PartInductance;
    weiche[0].bOpti = true;
    weiche[1].typ = PartDriver;
    weiche[WeicheFirstFreeWire].typ = PartWire;
    project->Chassis[0]._hst = true;
    project->Einbau[0].Typ = EinbauPassiveRadiator; // the radiator keys
    project->DSPRate = 48000;
    TAktFilter& filter = project->Amps[0].AktFilter;
    filter.Delay = 0.001;
    filter.Invert = true;
    filter.EQ[0].typ = DspPeaking;
    filter.EQ[1].typ = DspLinkwitz;
    TMyIniFile store("", false, true, false);
    WriteProjektStore(*project, store);
    return dictionaryOf(store);
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: fuzz_dictionaries FUZZ_DIR [--write]\n", stderr);
        return 2;
    }
    const bool write = argc > 2 && std::string(argv[2]) == "--write";
    int status = 0;
    for (const auto& [name, text] : {std::pair{"driver.dict", driverDictionary()},
                                     std::pair{"project.dict", projectDictionary()}}) {
        const std::string path = std::string(argv[1]) + "/" + name;
        if (write) {
            std::ofstream(path, std::ios::binary) << text;
        } else if (fileText(path) != text) {
            std::fprintf(stderr,
                         "%s does not name the keys the file writers write; run "
                         "build/fuzz/fuzz/fuzz_dictionaries fuzz --write\n",
                         path.c_str());
            status = 1;
        }
    }
    return status;
}
