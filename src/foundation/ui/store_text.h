// The one conversion between the records' 8-bit Windows-1252 text and display text.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tavrel {

QString FromStoreText(std::string_view text);
/// Characters Windows-1252 cannot hold become "?".
std::string ToStoreText(const QString& text);

} // namespace tavrel
