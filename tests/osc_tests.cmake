# Tests of OSC: the messages read without sockets and carried out on the
# desk, the server on the loopback with a liblo client, and liblo's own
# oscsend/oscdump as processes (skipped when liblo-tools is missing).
pkg_check_modules(LIBLO REQUIRED IMPORTED_TARGET liblo)
add_executable(velantra_osc_tests
  osc_test_main.cpp
  osc_desk_fixture.h
  osc_client.h
  osc_message_test.cpp
  osc_server_test.cpp
  osc_tools_test.cpp
)
target_link_libraries(velantra_osc_tests PRIVATE velantra_osc PkgConfig::LIBLO Qt6::Test GTest::gtest)
gtest_discover_tests(velantra_osc_tests PROPERTIES LABELS osc DISCOVERY_TIMEOUT 60)
