# Tests of the edit journal: its format read and written byte for byte,
# replay, the writer on a full disk and the recovery folder. The program that
# writes the journal fuzzer's seeds (tests/fuzz/seeds/journal) is built here.
add_executable(velantra_journal_tests
  journal_helpers.h
  journal_test.cpp
  journal_writer_test.cpp
  recovery_copies_test.cpp
  recovery_test.cpp
  edit_journal_test.cpp
)
target_link_libraries(velantra_journal_tests PRIVATE velantra_journal GTest::gtest GTest::gtest_main)
gtest_discover_tests(velantra_journal_tests PROPERTIES LABELS journal DISCOVERY_TIMEOUT 60)

add_executable(velantra_journal_seeds journal_seeds.cpp journal_helpers.h)
target_link_libraries(velantra_journal_seeds PRIVATE velantra_journal)
