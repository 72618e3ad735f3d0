// A short text of at most N bytes stored inside the record that owns it, so records stay
// trivially copyable. Longer input is cut to N bytes; unused bytes are always zero, which
// keeps a defaulted operator== on the owning record meaningful.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrel {

template <std::size_t N>
class FixedString {
public:
    FixedString() = default;
    FixedString(std::string_view text) { assign(text); } // NOLINT: implicit on purpose
    FixedString(const char* text) : FixedString(std::string_view(text)) {}
    FixedString(const std::string& text) : FixedString(std::string_view(text)) {}

    FixedString& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    FixedString& operator=(const char* text) { return *this = std::string_view(text); }
    FixedString& operator=(const std::string& text) { return *this = std::string_view(text); }

    static constexpr std::size_t capacity() { return N; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }
    std::string_view view() const { return {m_chars.data(), m_length}; }
    std::string str() const { return std::string(view()); }
    const char* c_str() const { return m_chars.data(); }
    operator std::string_view() const { return view(); } // NOLINT: implicit on purpose

    bool operator==(const FixedString&) const = default;
    bool operator==(std::string_view other) const { return view() == other; }

private:
    void assign(std::string_view text) {
        m_length = text.size() < N ? text.size() : N;
        m_chars.fill('\0');
        text.copy(m_chars.data(), m_length);
    }

    std::array<char, N + 1> m_chars{};
    std::size_t m_length = 0;
};

} // namespace tavrel
