// What every fuzz target shares: the bytes of a file as the program would read them.
#pragma once

#include "foundation/my_ini_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tavrel::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// A store read from `bytes` in the form they show, as the programs open driver and project
/// files. Seeds of both forms then keep their form.
inline TMyIniFile StoreOf(std::string_view bytes) {
    return TMyIniFile::FromBytes(bytes, TMyIniFile::IsCodedForm(bytes), false);
}

} // namespace tavrel::fuzz
