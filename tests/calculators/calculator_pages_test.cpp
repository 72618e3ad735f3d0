// The calculators by name, as tavrel-cli uses them: field names, defaults and bad input.
#include "calculators/calculator_pages.h"

#include <gtest/gtest.h>

namespace tavrel {
namespace {

std::vector<ResultList> calculate(std::string_view page, const FieldAssignments& assignments) {
    std::string error;
    auto results = CalculatePage(page, assignments, error);
    EXPECT_TRUE(results.has_value()) << error;
    return results.value_or(std::vector<ResultList>{});
}

bool sameLines(const std::vector<ResultList>& a, const std::vector<ResultList>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t n = 0; n < a.size(); ++n) {
        if (a[n].name != b[n].name || a[n].lines != b[n].lines) {
            return false;
        }
    }
    return true;
}

TEST(CalculatorPages, NamesAreCaseInsensitiveAndQesQmsFillInQts) {
    const auto sealed = calculate("sealed", {{"FS", "35"}, {"qts", "0,4"}, {"qtcwunsch", "0.7"}});
    ASSERT_EQ(sealed.size(), 1u);
    EXPECT_EQ(sealed[0].lines.front(), "Calculated volume: 38,788 liter");
    // Qes 0.5 and Qms 2 give Qts 0.4, whatever Qts was typed before.
    EXPECT_TRUE(sameLines(calculate("vented", {{"qts", "0.9"}, {"qes", "0.5"}, {"qms", "2"}}),
                          calculate("vented", {})));
    const auto port = calculate("port", {{"rund", "1"}, {"d", "7"}, {"nrohre", "2"}});
    EXPECT_EQ(port[0].lines.size(), 4u);
}

TEST(CalculatorPages, UnknownNamesAndChoicesOutOfRangeAreRefused) {
    std::string error;
    EXPECT_FALSE(CalculatePage("box", {}, error));
    EXPECT_FALSE(CalculatePage("port", {{"diameter", "7"}}, error));
    EXPECT_EQ(error, "no field named 'diameter'");
    EXPECT_FALSE(CalculatePage("port", {{"nrohre", "5"}}, error));
    EXPECT_FALSE(CalculatePage("port", {{"rund", "yes"}}, error));
    EXPECT_FALSE(CalculatePage("divider-level", {{"zeegal", "0.5"}}, error));
}

// Every text field of every page: unreadable numbers read as 0, and no number overflows into
// an "INF" or "NAN" text.
struct BadInput {
    std::string page;
    std::string field;
};

class CalculatorBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(CalculatorBadInput, ReadsAsZeroAndNeverPrintsNonFiniteNumbers) {
    const auto& [page, field] = GetParam();
    const auto zero = calculate(page, {{field, "0"}});
    for (const char* bad : {"", "-", "1e999", "-1e999", "nan", "abc"}) {
        EXPECT_TRUE(sameLines(calculate(page, {{field, bad}}), zero)) << bad;
    }
    for (const char* huge : {"1e300", "-1e300", "1e-300", "1e999", "nan"}) {
        for (const ResultList& list : calculate(page, {{field, huge}})) {
            for (const std::string& line : list.lines) {
                EXPECT_EQ(line.find("INF"), std::string::npos) << huge << ": " << line;
                EXPECT_EQ(line.find("NAN"), std::string::npos) << huge << ": " << line;
            }
        }
    }
}

std::vector<BadInput> textFields() {
    std::vector<BadInput> cases;
    for (std::string_view page : CalculatorPageNames()) {
        for (const CalculatorField& field : CalculatorFields(page)) {
            if (!field.choice) {
                cases.push_back({std::string(page), field.name});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryTextField, CalculatorBadInput, ::testing::ValuesIn(textFields()),
                         [](const auto& test) {
                             std::string name = test.param.page + "_" + test.param.field;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

} // namespace
} // namespace tavrel
