// tavrel-cli convert: reads a project or driver file with the file reader and writes it again
// with the file writer, choosing the plain or coded store form on either side.
#include "commands.h"
#include "foundation/ascii_case.h"
#include "foundation/my_ini_file.h"
#include "model/chassis_file.h"
#include "model/projekt_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

namespace tavrel::cli {

namespace {

enum class FileKind { Projekt, Chassis };

struct ConvertOptions {
    std::string in;
    std::string out;
    bool toCoded = true;
};

// By the extension of IN, looking through a trailing ".plain" (X.TVP.plain is a project).
std::optional<FileKind> kindOf(std::string_view path) {
    const std::string name = AsciiLower(SplitPlainSuffix(FileNamePart(path)).first);
    if (name.ends_with(".tvp")) {
        return FileKind::Projekt;
    }
    if (name.ends_with(".tvc")) {
        return FileKind::Chassis;
    }
    return std::nullopt;
}

void fail(const std::string& message) {
    std::fprintf(stderr, "tavrel-cli convert: %s\n", message.c_str());
}

std::optional<bool> parseForm(std::string_view value) {
    if (value == "plain") {
        return false;
    }
    if (value == "coded") {
        return true;
    }
    return std::nullopt;
}

std::optional<ConvertOptions> parseOptions(Arguments args) {
    ConvertOptions options;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--from" || arg == "--to") {
            const std::optional<bool> form =
                i + 1 < args.size() ? parseForm(args[i + 1]) : std::nullopt;
            if (!form) {
                fail(std::string(arg) + " needs plain or coded");
                return std::nullopt;
            }
            if (arg == "--to") { // IN's form is read from its bytes; --from stays accepted
                options.toCoded = *form;
            }
            ++i;
        } else if (arg.size() > 1 && arg.starts_with("-")) {
            fail("unknown option '" + std::string(arg) + "'");
            return std::nullopt;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2) {
        fail("needs IN and OUT (see tavrel-cli convert --help)");
        return std::nullopt;
    }
    options.in = positional[0];
    options.out = positional[1];
    return options;
}

std::optional<std::string> readBytes(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (!file.good() && !file.eof()) {
        return std::nullopt;
    }
    return bytes.str();
}

bool writeToStdout(const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

bool checkRead(const FileReadResult& read, const std::string& in) {
    if (read.ok) {
        return true;
    }
    fail(in + ": " + read.message + " (version " + std::to_string(read.version) + ")");
    return false;
}

bool checkWrite(const FileWriteResult& written, const std::string& out) {
    if (written.ok) {
        return true;
    }
    fail(out + ": " + written.error);
    return false;
}

bool convertProjekt(TMyIniFile& source, const ConvertOptions& options) {
    auto projekt = std::make_unique<TProjekt>();
    if (!checkRead(ReadProjektStore(*projekt, source), options.in)) {
        return false;
    }
    if (options.out != "-") {
        return checkWrite(WriteProjekt(*projekt, options.out, options.toCoded), options.out);
    }
    TMyIniFile target("", options.toCoded, true, false);
    WriteProjektStore(*projekt, target);
    return writeToStdout(target.ToBytes());
}

bool convertChassis(TMyIniFile& source, const ConvertOptions& options) {
    auto driver = std::make_unique<TChassis>();
    if (!checkRead(ReadChassisFileStore(*driver, source), options.in)) {
        return false;
    }
    if (options.out != "-") {
        return checkWrite(SaveChassisFile(*driver, options.out, options.toCoded), options.out);
    }
    TMyIniFile target("", options.toCoded, true, false);
    WriteChassisFileStore(*driver, target); // keeps the record's OrgFilename
    return writeToStdout(target.ToBytes());
}

} // namespace

void PrintConvertHelp(std::FILE* out) {
    std::fputs(
        "usage: tavrel-cli convert IN OUT [--from plain|coded] [--to plain|coded]\n\n"
        "Reads the project (.TVP) or driver (.TVC) file IN and writes it to OUT in the\n"
        "current file version. The kind of file is chosen by the extension of IN, ignoring\n"
        "case and a trailing \".plain\" (Default.TVP.plain is a project). Older versions are\n"
        "converted while reading; IN may be coded or plain store text.\n\n"
        "  IN              file to read\n"
        "  OUT             file to write, or - for standard output\n"
        "  --from FORM     accepted and no longer needed: the form of IN is read from it\n"
        "  --to FORM       form of OUT: coded (default) or plain store text\n"
        "  --help          show this text\n\n"
        "A driver written to a file gets today's date and the name of OUT as its original\n"
        "file name; written to standard output it keeps the original file name it had.\n"
        "When IN cannot be read, is no store, or has a version that is not accepted, the\n"
        "command prints one line on standard error, exits with status 1 and does not\n"
        "create OUT.\n",
        out);
}

int RunConvert(Arguments args) {
    const std::optional<ConvertOptions> options = parseOptions(args);
    if (!options) {
        return ExitUsage;
    }
    const std::optional<FileKind> kind = kindOf(options->in);
    if (!kind) {
        fail(options->in + ": unknown file type (expected .TVP or .TVC)");
        return ExitUsage;
    }
    const std::optional<std::string> bytes = readBytes(options->in);
    if (!bytes) {
        fail(options->in + ": cannot read the file");
        return ExitFailed;
    }
    TMyIniFile source = TMyIniFile::FromBytes(*bytes, TMyIniFile::IsCodedForm(*bytes), false);
    if (source.WrongHeader()) {
        fail(options->in + ": wrong header, not a store file");
        return ExitFailed;
    }
    const bool done = *kind == FileKind::Projekt ? convertProjekt(source, *options)
                                                 : convertChassis(source, *options);
    return done ? ExitOk : ExitFailed;
}

} // namespace tavrel::cli
