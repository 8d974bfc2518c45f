# The fuzzer of the edit journal: reading a journal and replaying it on a
# show. Its starting corpus is kept in seeds/journal (written by
# velantra_journal_seeds).
target_compile_options(velantra_journal PRIVATE -fsanitize=fuzzer-no-link)
velantra_fuzzer(fuzz_journal fuzz_check.h ${PROJECT_SOURCE_DIR}/tests/journal_helpers.h)
target_link_libraries(fuzz_journal PRIVATE velantra_journal)
add_dependencies(velantra_fuzz fuzz_journal)
