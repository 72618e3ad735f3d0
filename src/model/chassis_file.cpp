#include "model/chassis_file.h"

#include "foundation/number_text.h"
#include "model/chassis_keys.h"

#include <memory>

namespace tavrel {

namespace {

std::string chassisSection(std::string_view suffix) {
    return "Chassis" + std::string(suffix);
}

} // namespace

bool IsAcceptedChassisVersion(int version) {
    return (version >= 1000 && version <= 1002) || (version >= 1103 && version <= 1108) ||
           version == CurrentFileVersion;
}

void WriteChassis(const TChassis& driver, TMyIniFile& store, std::string_view maker,
                  std::string_view suffix) {
    WriteChassisKeys(driver, store, chassisSection(suffix), ChassisFileKind::DriverFile,
                     maker == MakerText, DateToText(Today()));
}

void ReadChassis(TChassis& driver, TMyIniFile& store, int version, std::string_view suffix) {
    ReadChassisKeys(driver, store, chassisSection(suffix), version, ChassisFileKind::DriverFile);
    if (version == 1000) {
        CompleteOldestFormatDriver(driver);
    }
}

void WriteChassisFileStore(const TChassis& driver, TMyIniFile& store) {
    store.WriteInteger("Header", "Version", CurrentFileVersion);
    WriteChassis(driver, store, "", "");
}

FileReadResult ReadChassisFileStore(TChassis& driver, TMyIniFile& store) {
    FileReadResult result;
    result.wrongHeader = store.WrongHeader();
    result.coded = store.Coded();
    result.version = store.ReadInteger("Header", "Version", 0);
    if (!IsAcceptedChassisVersion(result.version)) {
        result.message = WrongFormatMessage;
        return result;
    }
    ReadChassis(driver, store, result.version, "");
    result.ok = true;
    return result;
}

FileWriteResult SaveChassisFile(const TChassis& driver, const std::string& fileName, bool coded) {
    auto copy = std::make_unique<TChassis>(driver);
    copy->OrgFilename = FileNamePart(fileName);
    TMyIniFile store(fileName, coded, true, false);
    WriteChassisFileStore(*copy, store);
    return CloseWrittenStore(store);
}

FileReadResult LoadChassisFile(TChassis& driver, const std::string& fileName) {
    TMyIniFile store = TMyIniFile::OpenStored(fileName, false);
    FileReadResult result = ReadChassisFileStore(driver, store);
    store.Close();
    return result;
}

} // namespace tavrel
