// tavrel-cli: the Tavrel core without a window.
#include <cstdio>
#include <string_view>

int main(int argc, char** argv) {
    if (argc < 2 || std::string_view(argv[1]) == "--help") {
        std::puts("usage: tavrel-cli COMMAND [OPTIONS]  (commands: convert)");
        return argc < 2 ? 1 : 0;
    }
    std::fprintf(stderr, "tavrel-cli: unknown command '%s'\n", argv[1]);
    return 1;
}
