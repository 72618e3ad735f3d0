// Driver files (".TVC"): one TChassis in a store, section "Header" with the version and section
// "Chassis" with the driver's keys. Readers convert every older accepted version while reading.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/chassis.h"
#include "model/file_result.h"

#include <string>
#include <string_view>

namespace tavrel {

/// The maker text for which WriteChassis stores the maker marker.
inline constexpr const char* MakerText = "KELMORA";

/// Versions 1000..1002, 1103..1108 and 1200.
bool IsAcceptedChassisVersion(int version);

/// Writes all keys of `driver` into section "Chassis" + `suffix`; `pubdate` becomes today.
void WriteChassis(const TChassis& driver, TMyIniFile& store, std::string_view maker,
                  std::string_view suffix);
/// Reads all keys of section "Chassis" + `suffix` written by a file of version `version`.
void ReadChassis(TChassis& driver, TMyIniFile& store, int version, std::string_view suffix);

/// Fills an empty store with a whole driver file (version and driver, OrgFilename as in the
/// record). Used for files and for in-memory conversion.
void WriteChassisFileStore(const TChassis& driver, TMyIniFile& store);
/// Reads a whole driver file from a loaded store. The record changes only when the version is
/// accepted; otherwise the result carries WrongFormatMessage.
FileReadResult ReadChassisFileStore(TChassis& driver, TMyIniFile& store);

/// Writes a new driver file; OrgFilename of the written driver is the file-name part of the
/// target. Driver files are coded; `coded` false writes the plain form.
FileWriteResult SaveChassisFile(const TChassis& driver, const std::string& fileName,
                                bool coded = true);
/// Reads a driver file in either store form; the record changes only when the file's version
/// is accepted. The result tells the form, so a save can keep it.
FileReadResult LoadChassisFile(TChassis& driver, const std::string& fileName);

} // namespace tavrel
