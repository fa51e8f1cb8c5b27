# The libFuzzer target over the current hand-history grammar, built like the replay's.
add_executable(corvald_current_fuzz CurrentGrammarFuzz.cpp)
target_compile_options(corvald_current_fuzz PRIVATE
  -fsanitize=fuzzer,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_link_options(corvald_current_fuzz PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(corvald_current_fuzz PRIVATE corvald_core)
