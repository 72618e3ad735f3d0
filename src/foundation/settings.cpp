#include "foundation/settings.h"

#include "model/option_block.h" // upward: the program-wide option block

#include <cmath>

namespace tavrel {

namespace {

constexpr const char* DirectorySection = "Verzeichnisse";
constexpr const char* EditorSection = "Optionen";
constexpr const char* LevelSection = "Charts";

/// A positive finite number from the file, else `fallback`.
double readPositive(TMyIniFile& store, const char* key, double fallback) {
    const double value = store.ReadFloat(LevelSection, key, fallback);
    return std::isfinite(value) && value > 0 ? value : fallback;
}

std::string withTrailingSeparator(std::string dir) {
    if (!dir.empty() && dir.back() != PathSeparator) {
        dir += PathSeparator;
    }
    return dir;
}

/// Every directory defaults to the folder of the same name beside the program.
void setDefaultDirectories(TSettings& settings) {
    for (auto& [key, dir] : settings.Directories()) {
        *dir = settings.ProgramDir + key + PathSeparator;
    }
}

void preparePaths(TSettings& settings) {
    settings.ProgramDir = withTrailingSeparator(settings.ProgramDir);
    settings.SettingsPath = settings.ProgramDir + SettingsFileName;
}

} // namespace

std::array<std::pair<const char*, std::string*>, 6> TSettings::Directories() {
    return {{{"Chassis", &DriverDir},
             {"Projekte", &ProjectDir},
             {"Weichenbauteile", &PartsDir},
             {"Reports", &ReportDir},
             {"Publikationen", &PublicationDir},
             {"Baus\xE4tze", &KitDir}}};
}

std::int32_t TBWEoptiFromTBWE(std::int32_t tbwe) {
    return (tbwe / 1000) * 1000 + 500 + tbwe % 100;
}

void LoadSettings(TSettings& settings) {
    preparePaths(settings);
    setDefaultDirectories(settings);
    TMyIniFile store(settings.SettingsPath, false, false, true);
    settings.Verzeichnisvorgaben = store.ReadBool(DirectorySection, "Verzeichnisvorgaben", false);
    if (settings.Verzeichnisvorgaben) {
        for (auto& [key, dir] : settings.Directories()) {
            *dir = store.ReadString(DirectorySection, key, *dir);
        }
    }
    const std::int32_t tbwe = store.ReadInteger(EditorSection, "TBWE", DefaultTBWE);
    settings.TBWEopti = store.ReadInteger(EditorSection, "TBWEopti", TBWEoptiFromTBWE(tbwe));
    settings.WEsize = store.ReadInteger(EditorSection, "WEsize", 2);
    settings.InputVolts = readPositive(store, "InputVolts", settings.InputVolts);
    settings.VentVelocityLimit =
        readPositive(store, "VentVelocityLimit", settings.VentVelocityLimit);
    const std::int32_t series = store.ReadInteger(EditorSection, "TuningSeries", 12);
    settings.TuningSeries = series == 6 || series == 24 ? series : 12;
    settings.UseOption = store.ReadBool(OptionSection, "UseOption", false);
    if (settings.UseOption) {
        ReadOptionBlock(store, settings.Option);
    }
    store.Close();
}

StoreCloseResult SaveSettings(TSettings& settings) {
    if (settings.SettingsPath.empty()) {
        preparePaths(settings);
    }
    for (auto& entry : settings.Directories()) {
        *entry.second = withTrailingSeparator(*entry.second);
    }
    // Loaded first, so that the keys other parts of the program keep here survive.
    TMyIniFile store(settings.SettingsPath, false, true, true);
    store.WriteBool(DirectorySection, "Verzeichnisvorgaben", settings.Verzeichnisvorgaben);
    for (auto& [key, dir] : settings.Directories()) {
        if (settings.Verzeichnisvorgaben) {
            store.WriteString(DirectorySection, key, *dir);
        } else {
            store.DeleteKey(DirectorySection, key);
        }
    }
    store.WriteInteger(EditorSection, "TBWEopti", settings.TBWEopti);
    store.WriteInteger(EditorSection, "WEsize", settings.WEsize);
    store.WriteInteger(EditorSection, "TuningSeries", settings.TuningSeries);
    store.WriteFloat(LevelSection, "InputVolts", settings.InputVolts);
    store.WriteFloat(LevelSection, "VentVelocityLimit", settings.VentVelocityLimit);
    return store.Close();
}

} // namespace tavrel
