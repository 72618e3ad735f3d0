// Text measurement without a toolkit: every character is 0.6 point sizes wide and a line is
// 1.5 point sizes high, close enough to a real sans-serif font for layout tests.
#pragma once

#include "charts/display_list.h"

#include <string_view>

namespace tavrel::testing {

class FakeMetrics : public TextMetrics {
public:
    int textWidth(std::string_view text, const FontSpec& font) const override {
        return static_cast<int>(text.size()) * font.pointSize * 6 / 10;
    }
    int textHeight(const FontSpec& font) const override { return font.pointSize * 3 / 2; }
};

} // namespace tavrel::testing
