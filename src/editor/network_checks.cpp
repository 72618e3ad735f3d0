#include "editor/network_checks.h"

#include <algorithm>

namespace tavrel {

const char* const NoAmpQuestion = "No amp is connected in the \r\ncrossover network. ";
const char* const NoDriverQuestion =
    "There is no driver in the crossover network.\rWhat is the network good for?";
const char* const CloseQuestionChoices = "change now|go ahead with it";

std::vector<std::string> CloseQuestions(const TWeiche& weiche) {
    const auto has = [&](int typ) {
        return std::any_of(weiche.begin(), weiche.end(),
                           [typ](const TWeichePart& part) { return part.typ == typ; });
    };
    std::vector<std::string> questions;
    if (!has(PartAmpOutput)) {
        questions.emplace_back(NoAmpQuestion);
    }
    if (!has(PartDriver)) {
        questions.emplace_back(NoDriverQuestion);
    }
    return questions;
}

std::string ApplyUndoText(int amp) {
    return "crossover network " + std::to_string(amp + 1) + " Edit";
}

} // namespace tavrel
