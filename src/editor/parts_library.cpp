#include "editor/parts_library.h"

#include "foundation/ascii_case.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace tavrel {

const char* const PartsSeparatorText = "- - - - - - - - - - - - - - - - - - - - - -";

namespace {

// Parts files are short lists; anything longer is not one and is read only this far.
constexpr std::size_t MaxLineLength = 512;
constexpr std::size_t MaxFileBytes = 4u << 20;

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    while (fields.size() < 4) {
        const std::size_t end = line.find_first_of("\t;");
        fields.push_back(line.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        line.remove_prefix(end + 1);
    }
    fields.resize(4);
    return fields;
}

bool holdsBinary(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && c != '\t';
    });
}

bool pageOfKind(std::string_view kind, PartsPage& page) {
    if (kind.size() != 1) {
        return false;
    }
    switch (kind[0]) {
    case 'r':
    case 'R':
        page = PartsPage::Resistors;
        return true;
    case 'l':
    case 'L':
        page = PartsPage::Inductances;
        return true;
    case 'c':
    case 'C':
        page = PartsPage::Capacitors;
        return true;
    default:
        return false;
    }
}

std::string entryText(PartsPage page, const std::vector<std::string_view>& f) {
    std::string text = std::string(f[1]) + ":" + std::string(f[2]);
    switch (page) {
    case PartsPage::Resistors:
        return text + " ohm";
    case PartsPage::Inductances:
        return text + " mH, " + std::string(f[3]) + " ohm";
    case PartsPage::Capacitors:
        return text + " \xB5"
                      "F";
    }
    return text;
}

void addLine(PartsLists& lists, std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    if (line.size() > MaxLineLength || holdsBinary(line)) {
        return;
    }
    const auto fields = splitFields(line);
    PartsPage page{};
    if (!pageOfKind(fields[0], page)) {
        return;
    }
    const int p = static_cast<int>(page);
    if (static_cast<int>(lists.pages[p].size()) >= MaxPartsPerKind) {
        ++lists.leftOut[p];
        return;
    }
    PartsEntry entry;
    entry.value = TextToFloat(fields[2]);
    if (page == PartsPage::Inductances) {
        entry.resistance = TextToFloat(fields[3]);
    }
    entry.text = entry.value > 0.0 ? entryText(page, fields) : PartsSeparatorText;
    lists.pages[p].push_back(std::move(entry));
}

} // namespace

void AddPartsText(PartsLists& lists, std::string_view text) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        addLine(lists, text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
}

PartsLists ReadPartsDirectory(const std::string& directory) {
    namespace fs = std::filesystem;
    PartsLists lists;
    std::error_code error;
    std::vector<fs::path> files;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
        const fs::path& path = it->path();
        if (AsciiLower(path.extension().string()) == ".txt" && it->is_regular_file(error)) {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        std::ifstream in(path, std::ios::binary);
        std::string text(MaxFileBytes, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
        AddPartsText(lists, text);
    }
    return lists;
}

bool PageOfPartType(int typ, PartsPage& page) {
    switch (typ) {
    case 2:
        page = PartsPage::Resistors;
        return true;
    case 3:
        page = PartsPage::Capacitors;
        return true;
    case 4:
        page = PartsPage::Inductances;
        return true;
    default:
        return false;
    }
}

ChosenPart ChooseEntry(const PartsLists& lists, PartsPage page, int index) {
    const auto& entries = lists.page(page);
    if (index < 0 || index >= static_cast<int>(entries.size())) {
        return {};
    }
    const PartsEntry& entry = entries[index];
    // A separator's value of 0 or below would make a part of no or negative value: it is a
    // wire, as an entry of exactly 0 is.
    if (entry.value <= 0.0) {
        return {1, {}, entry.value, 0.0};
    }
    ChosenPart chosen;
    chosen.name = entry.text.substr(0, entry.text.find(':'));
    chosen.value = entry.value;
    switch (page) {
    case PartsPage::Resistors:
        chosen.kind = 2;
        break;
    case PartsPage::Inductances:
        chosen.kind = 4;
        chosen.resistance = entry.resistance;
        break;
    case PartsPage::Capacitors:
        chosen.kind = 3;
        break;
    }
    return chosen;
}

int PreselectedEntry(const PartsLists& lists, PartsPage page, const ChosenPart& wanted) {
    const auto& entries = lists.page(page);
    int selected = -1;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const PartsEntry& entry = entries[i];
        const bool resistanceMatches =
            page != PartsPage::Inductances || entry.resistance == wanted.resistance;
        if (entry.text.starts_with(wanted.name) && entry.value == wanted.value &&
            resistanceMatches) {
            selected = i;
        }
    }
    return selected;
}

} // namespace tavrel
