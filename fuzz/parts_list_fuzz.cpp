// Parts files (*.txt of the parts directory): reading, then choosing and preselecting every
// entry as the part editor's library does.
#include "editor/parts_library.h"
#include "fuzz_input.h"

using namespace tavrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PartsLists lists;
    AddPartsText(lists, fuzz::Bytes(data, size));
    for (int p = 0; p < PartsPageCount; ++p) {
        const auto page = static_cast<PartsPage>(p);
        const int count = static_cast<int>(lists.page(page).size());
        for (int i = 0; i < count; ++i) {
            const ChosenPart chosen = ChooseEntry(lists, page, i);
            if (chosen.kind > 1) {
                PreselectedEntry(lists, page, chosen);
            }
        }
    }
    return 0;
}
