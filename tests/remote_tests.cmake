# Tests of the web remote.

# The show the browser test plays.
add_executable(velantra_remote_show remote_show_writer.cpp)
target_link_libraries(velantra_remote_show PRIVATE velantra_storage velantra_engine)
set_target_properties(velantra_remote_show PROPERTIES AUTOMOC OFF)

# The messages, limits, state and QR code without a socket; the server in this
# process with WebSocket clients on the loopback.
add_executable(velantra_remote_tests remote_protocol_test.cpp remote_server_test.cpp)
target_link_libraries(velantra_remote_tests PRIVATE velantra_remote Qt6::Test GTest::gtest)
gtest_discover_tests(velantra_remote_tests PROPERTIES LABELS remote DISCOVERY_TIMEOUT 60)

# The page in headless Chromium against velantra-player on the fake
# interface (tools/remote_browser_test.sh; it skips, saying why, without
# chromium, chromium-driver or python3-selenium).
add_dependencies(velantra_remote_tests velantra-player velantra_remote_show fake_ftd2xx)
add_test(NAME RemoteBrowser.PhoneAndTablet
  COMMAND ${PROJECT_SOURCE_DIR}/tools/remote_browser_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(RemoteBrowser.PhoneAndTablet PROPERTIES LABELS browser TIMEOUT 300 RUN_SERIAL TRUE
  SKIP_REGULAR_EXPRESSION "remote browser test SKIPPED")
