// The program's own INI-like store: ordered sections of ordered key/value texts, read whole
// at creation and written whole at Close, in plain text or in the coded (length-prefixed,
// scrambled) form. The caller chooses the form, or opens a file in whichever form it holds.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrel {

struct TSection {
    std::string Name;
    std::vector<std::string> Keys;
    std::vector<std::string> Values;
};

/// Outcome of TMyIniFile::Close: whether the file was written, and why not when it failed.
struct StoreCloseResult {
    bool ok = true;     ///< false only when a save was due and failed
    bool saved = false; ///< the file was (re)written
    std::string error;  ///< reason of a failed save
};

class TMyIniFile {
public:
    static constexpr int MaxSections = 1000;
    static constexpr std::uint8_t CodeMultiplier = 0x5B; ///< K of the coded form
    static constexpr const char* Header = "## MyIniFile 1.0 by ZQ 2004 ##";

    /// Receives the wrong-header message ("Falsches Dateiformat bei \n<file>"); the UI shows
    /// it as a message box. Without a handler the message is dropped.
    using MessageHandler = std::function<void(const std::string& message)>;
    static void SetMessageHandler(MessageHandler handler);

    /// Opens the store on `fileName`. With `load` true an existing file is read completely.
    TMyIniFile(std::string fileName, bool coded, bool writable, bool load);
    /// Builds a store from the bytes of a file instead of reading one (same rules as loading).
    static TMyIniFile FromBytes(std::string_view bytes, bool coded, bool writable);
    /// Opens an existing file in the form its bytes show (Coded() tells which), so a save
    /// keeps that form. A missing file gives an empty store in the coded form.
    static TMyIniFile OpenStored(std::string fileName, bool writable);
    /// A coded store starts with a zero byte (the hundreds of its header line's length); plain
    /// text never does.
    static bool IsCodedForm(std::string_view bytes) { return !bytes.empty() && bytes[0] == '\0'; }
    ~TMyIniFile() = default;
    TMyIniFile(TMyIniFile&&) = default;
    TMyIniFile& operator=(TMyIniFile&&) = default;
    TMyIniFile(const TMyIniFile&) = delete;
    TMyIniFile& operator=(const TMyIniFile&) = delete;

    /// Saves when Modified and Writable: a temporary file beside the target is written and
    /// renamed over it, so a failed save leaves the old file intact.
    StoreCloseResult Close();
    /// The whole store as file bytes in its encoding (header first).
    std::string ToBytes() const { return ToBytes(m_coded); }
    /// The whole store as file bytes in the given encoding (converts plain to coded and back).
    std::string ToBytes(bool coded) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def);
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t def);
    bool ReadBool(std::string_view section, std::string_view key, bool def);
    double ReadFloat(std::string_view section, std::string_view key, double def);
    int ReadIntList(std::string_view section, std::string_view key, int count, int start,
                    std::int32_t* values);
    int ReadFloatList(std::string_view section, std::string_view key, int count, int start,
                      double* values);

    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);
    void WriteFloat(std::string_view section, std::string_view key, double value);
    void WriteIntList(std::string_view section, std::string_view key, int count, int start,
                      const std::int32_t* values);
    void WriteFloatList(std::string_view section, std::string_view key, int count, int start,
                        const double* values);
    bool DeleteKey(std::string_view section, std::string_view key);

    const std::vector<TSection>& Sections() const { return m_sections; }
    int Count() const { return static_cast<int>(m_sections.size()); }
    int KeyCount() const { return m_keyCount; }
    bool Modified() const { return m_modified; }
    bool Writable() const { return m_writable; }
    bool Coded() const { return m_coded; }
    bool WrongHeader() const { return m_wrongHeader; }
    const std::string& FileName() const { return m_fileName; }

private:
    TMyIniFile() = default;
    /// The whole file; false when it is missing or cannot be read (then kept from saves).
    bool readFile(std::string& bytes);
    void loadBytes(std::string_view bytes);
    void applyLine(std::string_view line);
    int findSection(std::string_view name) const;
    int findKeyForRead(const TSection& section, std::string_view key);
    static int findKeyForWrite(const TSection& section, std::string_view key);
    /// The named section, appended when missing; null when the section limit is reached.
    TSection* sectionForWrite(std::string_view name);
    bool readValue(std::string_view section, std::string_view key, std::string& value);
    template <typename Value, typename Convert>
    int readList(std::string_view section, std::string_view key, int count, int start,
                 Value* values, Convert convert);
    void writeValue(std::string_view section, std::string_view key, std::string value);
    StoreCloseResult save() const;

    std::vector<TSection> m_sections;
    int m_findCursor = 0;
    bool m_modified = false;
    bool m_coded = false;
    std::string m_fileName;
    int m_keyCount = 0;
    bool m_writable = false;
    bool m_wrongHeader = false;
    bool m_closed = false;
    int m_loadSection = -1;  ///< section that key lines apply to while loading; -1: none
    std::string m_loadError; ///< an existing file could not be read (the store is read-only)
};

} // namespace tavrel
