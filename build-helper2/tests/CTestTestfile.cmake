# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build-helper2/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[unit]=] "/work/main/build-helper2/tests/unit_tests")
set_tests_properties([=[unit]=] PROPERTIES  _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;24;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[integration]=] "/work/main/tests/with-display" "/work/main/build-helper2/tests/integration_tests")
set_tests_properties([=[integration]=] PROPERTIES  TIMEOUT "900" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;25;add_test;/work/main/tests/CMakeLists.txt;0;")
