// tavrel-cli calculate: one page of the design calculators without a window. It prints the
// lines the page's result lists show for the given fields (the others at their defaults).
#include "calculators/calculator_pages.h"
#include "commands.h"

#include <cstdio>
#include <optional>
#include <string>

namespace tavrel::cli {

namespace {

/// The calculators write the micro sign as the single byte 0xB5; the terminal wants UTF-8.
std::string utf8(const std::string& latin1) {
    std::string out;
    for (const char c : latin1) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

void printPageFields(std::FILE* out, std::string_view page) {
    std::fprintf(out, "usage: tavrel-cli calculate %.*s [NAME=VALUE ...]\n\nfields (default):\n",
                 static_cast<int>(page.size()), page.data());
    for (const CalculatorField& field : CalculatorFields(page)) {
        const std::string value = field.defaultText.empty() ? "empty" : field.defaultText;
        std::fprintf(out, "  %-16s %-8s %s\n", field.name.c_str(), value.c_str(),
                     field.meaning.c_str());
    }
}

bool wantsHelp(Arguments args) {
    for (std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

/// NAME=VALUE words, or nothing after saying which word is not one.
std::optional<FieldAssignments> assignments(Arguments words) {
    FieldAssignments result;
    for (std::string_view word : words) {
        const auto equals = word.find('=');
        if (equals == std::string_view::npos || equals == 0) {
            std::fprintf(stderr, "tavrel-cli calculate: '%.*s' is not NAME=VALUE\n",
                         static_cast<int>(word.size()), word.data());
            return std::nullopt;
        }
        result.emplace_back(std::string(word.substr(0, equals)),
                            std::string(word.substr(equals + 1)));
    }
    return result;
}

void printResults(const std::vector<ResultList>& results) {
    for (const ResultList& list : results) {
        if (results.size() > 1) {
            std::printf("[%s]\n", list.name.c_str());
        }
        for (const std::string& line : list.lines) {
            std::puts(utf8(line).c_str());
        }
    }
}

} // namespace

int RunCalculate(Arguments args) {
    if (args.empty() || args[0].starts_with('-')) {
        if (wantsHelp(args)) {
            PrintCalculateHelp(stdout);
            return ExitOk;
        }
        std::fputs("tavrel-cli calculate: needs a PAGE (see tavrel-cli calculate --help)\n",
                   stderr);
        return ExitUsage;
    }
    const std::string page(args[0]);
    if (!IsCalculatorPage(page)) {
        std::fprintf(stderr,
                     "tavrel-cli calculate: no page named '%s' (see tavrel-cli "
                     "calculate --help)\n",
                     page.c_str());
        return ExitUsage;
    }
    if (wantsHelp(args)) {
        printPageFields(stdout, page);
        return ExitOk;
    }
    const auto fields = assignments(args.subspan(1));
    if (!fields) {
        return ExitUsage;
    }
    std::string error;
    const auto results = CalculatePage(page, *fields, error);
    if (!results) {
        std::fprintf(stderr, "tavrel-cli calculate %s: %s\n", page.c_str(), error.c_str());
        return ExitUsage;
    }
    for (const ResultList& list : *results) {
        if (list.unusableData) {
            for (const std::string& line : list.lines) {
                std::fprintf(stderr, "tavrel-cli calculate %s: %s\n", page.c_str(),
                             utf8(line).c_str());
            }
            return ExitFailed;
        }
    }
    printResults(*results);
    return ExitOk;
}

void PrintCalculateHelp(std::FILE* out) {
    std::fputs("usage: tavrel-cli calculate PAGE [NAME=VALUE ...]\n"
               "       tavrel-cli calculate PAGE --help   list the fields of PAGE\n\n"
               "Prints the result lines the utilities window shows for one calculator page.\n"
               "NAME is a field of the page (any case); fields not given keep their defaults.\n"
               "Numbers take a decimal point or comma; check boxes and choices take whole\n"
               "numbers. A page with several result lists prints each after its [name].\n\n"
               "pages:\n",
               out);
    for (std::string_view page : CalculatorPageNames()) {
        std::fprintf(out, "  %.*s\n", static_cast<int>(page.size()), page.data());
    }
    std::fputs("\nexit status: 0 done, 1 data that allow no result (passive-radiator), 2 unknown\n"
               "page or field, or a choice out of range\n",
               out);
}

} // namespace tavrel::cli
