// Program-wide settings kept in "Tavrel.ini" beside the program: the six working
// directories, the crossover editor's mouse keys, window size and tuning series, the input
// level of the excursion and vent charts, and an optional program-wide option block that then
// replaces the block of every project read.
#pragma once

#include "foundation/my_ini_file.h"
// The settings file keeps a program-wide copy of the projects' option block, so it needs that
// record and its reader from the model.
#include "model/projekt.h" // upward: see above

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace tavrel {

#ifdef _WIN32
inline constexpr char PathSeparator = '\\';
#else
inline constexpr char PathSeparator = '/';
#endif

inline constexpr const char* SettingsFileName = "Tavrel.ini";
inline constexpr std::int32_t DefaultTBWE = 424231;

struct TSettings {
    std::string ProgramDir;           ///< set by the caller; ends with PathSeparator after loading
    std::string SettingsPath;         ///< ProgramDir + "Tavrel.ini"
    std::string DriverDir;            ///< "Chassis"
    std::string ProjectDir;           ///< "Projekte"
    std::string PartsDir;             ///< "Weichenbauteile": crossover part files
    std::string ReportDir;            ///< "Reports"
    std::string PublicationDir;       ///< "Publikationen"
    std::string KitDir;               ///< "Bausätze" (Windows-1252)
    bool Verzeichnisvorgaben = false; ///< true: the directories above come from the file
    std::int32_t TBWEopti = 424531;   ///< mouse key assignment of the crossover editor
    std::int32_t WEsize = 2;          ///< crossover editor window size, 1 to 3
    std::int32_t TuningSeries = 12;   ///< E-series of live tuning: 6, 12 or 24 values a decade
    bool UseOption = false;           ///< Option replaces every project's option block
    double InputVolts = 2.83;         ///< amplifier level of the excursion and vent charts, V rms
    double VentVelocityLimit = 17.0;  ///< air velocity above which a port is heard, m/s
    TOptionBlock Option;

    /// The six directories with their file keys, in file order.
    std::array<std::pair<const char*, std::string*>, 6> Directories();
};

/// The default for "TBWEopti" derived from an older "TBWE" value: the hundreds digit becomes 5.
std::int32_t TBWEoptiFromTBWE(std::int32_t tbwe);

/// Fills `settings` from the settings file in settings.ProgramDir; a missing or unreadable file
/// gives the defaults. The option block is read only when "UseOption" is set.
void LoadSettings(TSettings& settings);

/// Writes the directory, crossover editor and chart level settings, keeping every other key of
/// the file.
/// The result carries the reason when the file could not be written.
StoreCloseResult SaveSettings(TSettings& settings);

} // namespace tavrel
