# One interface target carries the shared compile flags of every Tavrel target.
add_library(tavrel_flags INTERFACE)
target_compile_options(tavrel_flags INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                              -Wno-sign-conversion)
if(TAVREL_WERROR)
    target_compile_options(tavrel_flags INTERFACE -Werror)
endif()
if(TAVREL_SANITIZE)
    target_compile_options(tavrel_flags INTERFACE -fsanitize=address,undefined
                                                  -fno-sanitize-recover=undefined
                                                  -fno-omit-frame-pointer)
    target_link_options(tavrel_flags INTERFACE -fsanitize=address,undefined)
endif()
if(TAVREL_FUZZ)
    # Coverage feedback for libFuzzer in every library; the fuzz programs add the fuzzer's main.
    target_compile_options(tavrel_flags INTERFACE -fsanitize=fuzzer-no-link)
endif()
if(TAVREL_TSAN)
    target_compile_options(tavrel_flags INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(tavrel_flags INTERFACE -fsanitize=thread)
endif()
