# The fuzzer of OSC messages: datagrams read by liblo and carried out on a
# desk. Its starting corpus is kept in seeds/osc (messages written by oscsend).
target_compile_options(velantra_osc PRIVATE -fsanitize=fuzzer-no-link)
pkg_check_modules(LIBLO REQUIRED IMPORTED_TARGET liblo)
velantra_fuzzer(fuzz_osc_message fuzz_check.h)
target_link_libraries(fuzz_osc_message PRIVATE velantra_osc PkgConfig::LIBLO)
add_dependencies(velantra_fuzz fuzz_osc_message)
