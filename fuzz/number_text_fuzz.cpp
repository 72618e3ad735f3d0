// Number and date text: every parser, and every formatter on what the parser made of it.
#include "foundation/number_text.h"
#include "fuzz_input.h"

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::Bytes(data, size);
    const double value = TextToFloat(text);
    TextToInt(text);
    TextToDate(text);
    FloatToEng4(value);
    for (int width = 0; width <= 20; ++width) {
        FloatToWidth(width, value);
        FloatToWidthPadded(width, value);
    }
    return 0;
}
