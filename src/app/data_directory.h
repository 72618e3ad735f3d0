// Where the program's bundled data (Default.TVP, the examples, the pictures) lives: beside the
// program in a build tree, in share/tavrel/ beside bin/ when installed.
#pragma once

#include <string>

namespace tavrel {

/// `programDir`/../share/tavrel when it holds Default.TVP, else `programDir` itself.
std::string DataDirectory(const std::string& programDir);

/// Whether the settings file lives beside the program: only in a build tree or a portable
/// folder that can be written. An installed program (data in share/tavrel) keeps its settings
/// in the configuration folder, even for a user who may write into its bin/ folder.
/// `dataDir` is what `DataDirectory(programDir)` returned.
bool SettingsBesideProgram(const std::string& programDir, const std::string& dataDir,
                           bool programDirWritable);

} // namespace tavrel
