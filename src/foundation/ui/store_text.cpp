#include "foundation/ui/store_text.h"

#include <array>

namespace tavrel {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unused codes.
constexpr std::array<char16_t, 32> HighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t unicodeOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = HighControls[byte - 0x80];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

char storeByteOf(char16_t unicode) {
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF)) {
        return static_cast<char>(unicode);
    }
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == unicode) {
            return static_cast<char>(0x80 + i);
        }
    }
    // The five unused codes were read as their own C1 code points; they go back unchanged.
    if (unicode >= 0x80 && unicode <= 0x9F && HighControls[unicode - 0x80] == 0) {
        return static_cast<char>(unicode);
    }
    return '?';
}

} // namespace

QString FromStoreText(std::string_view text) {
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        result.append(QChar(unicodeOf(static_cast<unsigned char>(c))));
    }
    return result;
}

std::string ToStoreText(const QString& text) {
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        result.push_back(storeByteOf(c.unicode()));
    }
    return result;
}

} // namespace tavrel
