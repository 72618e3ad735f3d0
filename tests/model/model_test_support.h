// Shared helpers of the model tests: records with every stored field set to a non-default value
// that the 10-character number text holds exactly, stores built from plain text, temp files.
#pragma once

#include "foundation/my_ini_file.h"
#include "model/chassis.h"
#include "model/projekt.h"

#include <filesystem>
#include <memory>
#include <string>

namespace tavrel::test {

/// A driver with every stored field non-default; derived fields 0.
std::unique_ptr<TChassis> FullDriver(int seed);
/// A project with 6 amplifiers, 8 drivers and every stored field non-default.
std::unique_ptr<TProjekt> FullProjekt();
/// Clears the fields that no file stores, so that records can be compared whole.
void ClearDerived(TChassis& driver);

/// A store loaded from plain text; `body` is everything after the header line.
TMyIniFile PlainStore(const std::string& body);

/// A fresh directory below the system's temp directory, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

} // namespace tavrel::test
