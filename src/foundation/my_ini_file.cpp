#include "foundation/my_ini_file.h"

#include "foundation/atomic_file.h"
#include "foundation/number_text.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

namespace tavrel {

namespace {

constexpr std::string_view HeaderPrefix = "## MyIniFile 1.0";
constexpr std::size_t MaxSectionNameLength = 99;
constexpr std::size_t MaxPlainLineLength = 32000;
constexpr std::size_t MaxCodedLineLength = 25599; // 255·100 + 99 fits the two-byte prefix
constexpr std::string_view KeySeparators = "\t;=";
constexpr std::string_view ListSeparators = ";\t";
constexpr std::string_view ListJoin = ";\t";
constexpr int FloatWidth = 10;

TMyIniFile::MessageHandler& messageHandler() {
    static TMyIniFile::MessageHandler handler;
    return handler;
}

/// Case folding for the 8-bit texts of the store: ASCII and the Latin-1 letters.
unsigned char foldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    return c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return foldCase(static_cast<unsigned char>(x)) ==
                      foldCase(static_cast<unsigned char>(y));
           });
}

/// Splits the file bytes into lines, in the plain or the coded form.
class LineReader {
public:
    LineReader(std::string_view bytes, bool coded) : m_bytes(bytes), m_coded(coded) {}

    /// The next line, or false at the end of the data (or at a coded line cut short).
    bool next(std::string& line) { return m_coded ? nextCoded(line) : nextPlain(line); }

private:
    static bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

    bool nextPlain(std::string& line) {
        while (m_pos < m_bytes.size() && isLineBreak(m_bytes[m_pos])) {
            ++m_pos;
        }
        if (m_pos >= m_bytes.size()) {
            return false;
        }
        const std::size_t start = m_pos;
        while (m_pos < m_bytes.size() && !isLineBreak(m_bytes[m_pos])) {
            ++m_pos;
        }
        // An overlong line keeps its first bytes; the rest of it is dropped.
        line.assign(m_bytes.substr(start, std::min(m_pos - start, MaxPlainLineLength)));
        return true;
    }

    bool nextCoded(std::string& line) {
        if (m_bytes.size() - m_pos < 2) {
            return false;
        }
        const auto high = static_cast<unsigned char>(m_bytes[m_pos]);
        const auto low = static_cast<unsigned char>(m_bytes[m_pos + 1]);
        const std::size_t length = std::size_t{high} * 100 + low;
        m_pos += 2;
        if (m_bytes.size() - m_pos < length) {
            m_pos = m_bytes.size(); // truncated file: the partial line is not used
            return false;
        }
        line.resize(length);
        for (std::size_t i = 0; i < length; ++i) {
            const auto mask = static_cast<unsigned char>(i * TMyIniFile::CodeMultiplier);
            line[i] = static_cast<char>(static_cast<unsigned char>(m_bytes[m_pos + i]) ^ mask);
        }
        m_pos += length;
        return true;
    }

    std::string_view m_bytes;
    bool m_coded;
    std::size_t m_pos = 0;
};

void appendCodedLine(std::string& out, std::string_view line) {
    line = line.substr(0, MaxCodedLineLength);
    out += static_cast<char>(line.size() / 100);
    out += static_cast<char>(line.size() % 100);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto mask = static_cast<unsigned char>(i * TMyIniFile::CodeMultiplier);
        out += static_cast<char>(static_cast<unsigned char>(line[i]) ^ mask);
    }
}

void appendLine(std::string& out, std::string_view line, bool coded) {
    if (coded) {
        appendCodedLine(out, line);
    } else {
        out += line;
        out += "\r\n";
    }
}

/// Reads one list item off the front of `text` and drops it with its separators.
long double takeListItem(std::string_view& text) {
    const ParsedFloat item = ParseFloat(text);
    text.remove_prefix(static_cast<std::size_t>(item.consumed));
    const std::size_t separator = text.find_first_of(ListSeparators);
    text.remove_prefix(separator == std::string_view::npos ? text.size() : separator);
    const std::size_t nextItem = text.find_first_not_of(ListSeparators);
    text.remove_prefix(nextItem == std::string_view::npos ? text.size() : nextItem);
    return item.value;
}

/// Nearest integer, with NaN as 0 and out-of-range values saturated.
std::int32_t roundToInt32(long double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr auto lowest = static_cast<long double>(std::numeric_limits<std::int32_t>::min());
    constexpr auto highest = static_cast<long double>(std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(value), lowest, highest));
}

double toDouble(long double value) {
    if (std::isnan(value)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    constexpr auto highest = static_cast<long double>(std::numeric_limits<double>::max());
    if (std::fabs(value) > highest) {
        return value > 0 ? std::numeric_limits<double>::infinity()
                         : -std::numeric_limits<double>::infinity();
    }
    return static_cast<double>(value);
}

template <typename T, typename Format>
std::string joinList(int count, int start, const T* values, Format format) {
    std::string text;
    for (int i = start; i < start + count; ++i) {
        if (i > start) {
            text += ListJoin;
        }
        text += format(values[i]);
    }
    return text;
}

} // namespace

void TMyIniFile::SetMessageHandler(MessageHandler handler) {
    messageHandler() = std::move(handler);
}

TMyIniFile::TMyIniFile(std::string fileName, bool coded, bool writable, bool load)
    : m_coded(coded), m_fileName(std::move(fileName)), m_writable(writable) {
    if (!load) {
        m_modified = true; // a new file is written at Close even when nothing is added
        return;
    }
    std::string bytes;
    if (readFile(bytes)) {
        loadBytes(bytes);
    }
}

TMyIniFile TMyIniFile::OpenStored(std::string fileName, bool writable) {
    TMyIniFile store;
    store.m_fileName = std::move(fileName);
    store.m_writable = writable;
    store.m_coded = true;
    std::string bytes;
    if (store.readFile(bytes)) {
        store.m_coded = IsCodedForm(bytes);
        store.loadBytes(bytes);
    }
    return store;
}

bool TMyIniFile::readFile(std::string& bytes) {
    std::error_code ec;
    if (!std::filesystem::exists(m_fileName, ec)) {
        return false;
    }
    std::ifstream in;
    if (std::filesystem::is_regular_file(m_fileName, ec)) {
        in.open(m_fileName, std::ios::binary);
    }
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in.is_open() || in.bad()) {
        // Unreadable: keep it out of reach of a save that would replace it by a partial copy,
        // and let Close tell a writing caller why nothing was saved.
        if (m_writable) {
            m_loadError = "Cannot read \"" + m_fileName + "\"";
            m_writable = false;
        }
        return false;
    }
    return true;
}

TMyIniFile TMyIniFile::FromBytes(std::string_view bytes, bool coded, bool writable) {
    TMyIniFile store;
    store.m_coded = coded;
    store.m_writable = writable;
    store.loadBytes(bytes);
    return store;
}

void TMyIniFile::loadBytes(std::string_view bytes) {
    LineReader reader(bytes, m_coded);
    std::string line;
    const bool hasHeader = reader.next(line) && line.starts_with(HeaderPrefix);
    if (!hasHeader) {
        m_wrongHeader = true;
        m_writable = false;
        m_modified = false;
        if (messageHandler()) {
            messageHandler()("Falsches Dateiformat bei \n" + m_fileName);
        }
        return;
    }
    while (reader.next(line)) {
        applyLine(line);
    }
    m_modified = false;
}

void TMyIniFile::applyLine(std::string_view line) {
    if (line.empty() || line.front() == '/') {
        return;
    }
    if (line.front() == '#') {
        if (Count() >= MaxSections) {
            m_loadSection = -1; // sections beyond the limit are dropped with their keys
            return;
        }
        m_sections.push_back({std::string(line.substr(1, MaxSectionNameLength)), {}, {}});
        m_loadSection = Count() - 1;
        return;
    }
    const std::size_t separator = line.find_first_of(KeySeparators);
    if (separator == std::string_view::npos || m_loadSection < 0) {
        return; // not a key line, or a key line outside any section
    }
    std::string_view value = line.substr(separator);
    value.remove_prefix(std::min(value.find_first_not_of(KeySeparators), value.size()));
    TSection& section = m_sections[static_cast<std::size_t>(m_loadSection)];
    section.Keys.emplace_back(line.substr(0, separator));
    section.Values.emplace_back(value);
    ++m_keyCount;
}

std::string TMyIniFile::ToBytes(bool coded) const {
    std::string out;
    appendLine(out, Header, coded);
    std::string line;
    for (const TSection& section : m_sections) {
        appendLine(out, "#" + section.Name, coded);
        for (std::size_t i = 0; i < section.Keys.size(); ++i) {
            line.assign(section.Keys[i]).append("=\t").append(section.Values[i]);
            appendLine(out, line, coded);
        }
    }
    return out;
}

StoreCloseResult TMyIniFile::Close() {
    StoreCloseResult result;
    if (m_closed) {
        return result;
    }
    m_closed = true;
    if (!m_loadError.empty()) {
        result = {false, false, m_loadError + ", so it was not overwritten"};
    } else if (m_modified && m_writable) {
        result = save();
    }
    m_sections.clear();
    m_modified = false;
    return result;
}

StoreCloseResult TMyIniFile::save() const {
    if (m_fileName.empty()) {
        return {false, false, "The store has no file name to save to"};
    }
    const std::string error = WriteFileAtomically(m_fileName, ToBytes());
    if (!error.empty()) {
        return {false, false, error};
    }
    return {true, true, {}};
}

int TMyIniFile::findSection(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_sections[static_cast<std::size_t>(i)].Name == name) {
            return i;
        }
    }
    return -1;
}

int TMyIniFile::findKeyForRead(const TSection& section, std::string_view key) {
    const int size = static_cast<int>(section.Keys.size());
    if (m_findCursor < 0 || m_findCursor >= size) {
        m_findCursor = 0;
    }
    for (int step = 0; step < size; ++step) {
        if (section.Keys[static_cast<std::size_t>(m_findCursor)] == key) {
            return m_findCursor;
        }
        m_findCursor = m_findCursor + 1 < size ? m_findCursor + 1 : 0;
    }
    return -1;
}

int TMyIniFile::findKeyForWrite(const TSection& section, std::string_view key) {
    for (std::size_t i = 0; i < section.Keys.size(); ++i) {
        if (equalIgnoringCase(section.Keys[i], key)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool TMyIniFile::readValue(std::string_view section, std::string_view key, std::string& value) {
    const int s = findSection(section);
    if (s < 0) {
        return false;
    }
    const TSection& found = m_sections[static_cast<std::size_t>(s)];
    const int k = findKeyForRead(found, key);
    if (k < 0) {
        return false;
    }
    value = found.Values[static_cast<std::size_t>(k)];
    return true;
}

TSection* TMyIniFile::sectionForWrite(std::string_view name) {
    const int s = findSection(name);
    if (s >= 0) {
        return &m_sections[static_cast<std::size_t>(s)];
    }
    if (Count() >= MaxSections) {
        return nullptr;
    }
    m_sections.push_back({std::string(name), {}, {}});
    return &m_sections.back();
}

void TMyIniFile::writeValue(std::string_view section, std::string_view key, std::string value) {
    if (!m_writable) {
        return;
    }
    TSection* target = sectionForWrite(section);
    if (target == nullptr) {
        return; // a 1001st section is not created
    }
    m_modified = true;
    const int k = findKeyForWrite(*target, key);
    if (k >= 0) {
        target->Values[static_cast<std::size_t>(k)] = std::move(value);
        return;
    }
    target->Keys.emplace_back(key);
    target->Values.push_back(std::move(value));
    ++m_keyCount;
}

std::string TMyIniFile::ReadString(std::string_view section, std::string_view key,
                                   std::string_view def) {
    std::string value;
    return readValue(section, key, value) ? value : std::string(def);
}

std::int32_t TMyIniFile::ReadInteger(std::string_view section, std::string_view key,
                                     std::int32_t def) {
    std::string value;
    return readValue(section, key, value) ? TextToInt(value) : def;
}

bool TMyIniFile::ReadBool(std::string_view section, std::string_view key, bool def) {
    std::string value;
    return readValue(section, key, value) ? TextToInt(value) >= 1 : def;
}

double TMyIniFile::ReadFloat(std::string_view section, std::string_view key, double def) {
    std::string value;
    return readValue(section, key, value) ? TextToFloat(value) : def;
}

template <typename Value, typename Convert>
int TMyIniFile::readList(std::string_view section, std::string_view key, int count, int start,
                         Value* values, Convert convert) {
    std::string value;
    if (count < 1 || !readValue(section, key, value)) {
        return 0;
    }
    std::string_view rest = value;
    int stored = 0;
    while (!rest.empty() && stored < count) {
        values[start + stored] = convert(takeListItem(rest));
        ++stored;
    }
    return stored;
}

int TMyIniFile::ReadIntList(std::string_view section, std::string_view key, int count, int start,
                            std::int32_t* values) {
    return readList(section, key, count, start, values, roundToInt32);
}

int TMyIniFile::ReadFloatList(std::string_view section, std::string_view key, int count, int start,
                              double* values) {
    return readList(section, key, count, start, values, toDouble);
}

void TMyIniFile::WriteString(std::string_view section, std::string_view key,
                             std::string_view value) {
    writeValue(section, key, std::string(value));
}

void TMyIniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    writeValue(section, key, std::to_string(value));
}

void TMyIniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    writeValue(section, key, value ? "1" : "0");
}

void TMyIniFile::WriteFloat(std::string_view section, std::string_view key, double value) {
    writeValue(section, key, FloatToWidth(FloatWidth, value));
}

void TMyIniFile::WriteIntList(std::string_view section, std::string_view key, int count, int start,
                              const std::int32_t* values) {
    writeValue(section, key,
               joinList(count, start, values, [](std::int32_t v) { return std::to_string(v); }));
}

void TMyIniFile::WriteFloatList(std::string_view section, std::string_view key, int count,
                                int start, const double* values) {
    writeValue(section, key, joinList(count, start, values, [](double v) {
                   return FloatToWidth(FloatWidth, v);
               }));
}

bool TMyIniFile::DeleteKey(std::string_view section, std::string_view key) {
    if (!m_writable) {
        return false;
    }
    const int s = findSection(section);
    if (s < 0) {
        return false;
    }
    TSection& found = m_sections[static_cast<std::size_t>(s)];
    const int k = findKeyForWrite(found, key);
    if (k < 0) {
        return false;
    }
    found.Keys.erase(found.Keys.begin() + k);
    found.Values.erase(found.Values.begin() + k);
    m_modified = true;
    return true;
}

} // namespace tavrel
