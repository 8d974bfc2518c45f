# The fuzzer of the web remote's messages.
target_compile_options(velantra_remote PRIVATE -fsanitize=fuzzer-no-link)
velantra_fuzzer(fuzz_remote_message fuzz_check.h)
target_link_libraries(fuzz_remote_message PRIVATE velantra_remote)
add_dependencies(velantra_fuzz fuzz_remote_message)
