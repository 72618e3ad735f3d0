// Project files (".TVP"): one TProjekt in a store. Reading also makes a fresh project: a missing
// file gives every field its default. Readers convert every older accepted version.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/file_result.h"
#include "model/projekt.h"

#include <string>

namespace tavrel {

/// Versions 1000..1200.
bool IsAcceptedProjektVersion(int version);

/// Fills an empty store with a whole project file.
void WriteProjektStore(const TProjekt& projekt, TMyIniFile& store);
/// Reads a whole project from a loaded store; an empty store counts as the current version, so
/// it yields the defaults. With `programWideOptions` set, the option block is replaced by it
/// after the grid was built from the file's own grid settings. A rejected version leaves the
/// record unchanged. Counts, driver numbers of network parts and free-wire nodes are kept
/// inside the ranges the record's arrays allow.
FileReadResult ReadProjektStore(TProjekt& projekt, TMyIniFile& store,
                                const TOptionBlock* programWideOptions = nullptr);

FileWriteResult WriteProjekt(const TProjekt& projekt, const std::string& fileName, bool coded);
/// Reads a project file in either store form (the result tells which).
FileReadResult ReadProjekt(TProjekt& projekt, const std::string& fileName,
                           const TOptionBlock* programWideOptions = nullptr);

} // namespace tavrel
