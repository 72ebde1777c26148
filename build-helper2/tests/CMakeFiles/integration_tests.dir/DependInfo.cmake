
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/integration/AppLaunchTest.cpp" "tests/CMakeFiles/integration_tests.dir/integration/AppLaunchTest.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/integration/AppLaunchTest.cpp.o.d"
  "/work/main/tests/integration/AppProcess.cpp" "tests/CMakeFiles/integration_tests.dir/integration/AppProcess.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/integration/AppProcess.cpp.o.d"
  "/work/main/tests/integration/GtkEnvironment.cpp" "tests/CMakeFiles/integration_tests.dir/integration/GtkEnvironment.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/integration/GtkEnvironment.cpp.o.d"
  "/work/main/tests/integration/PasteboardTest.cpp" "tests/CMakeFiles/integration_tests.dir/integration/PasteboardTest.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/integration/PasteboardTest.cpp.o.d"
  "/work/main/tests/support/Fakes.cpp" "tests/CMakeFiles/integration_tests.dir/support/Fakes.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/support/Fakes.cpp.o.d"
  "/work/main/tests/support/ManualMainQueue.cpp" "tests/CMakeFiles/integration_tests.dir/support/ManualMainQueue.cpp.o" "gcc" "tests/CMakeFiles/integration_tests.dir/support/ManualMainQueue.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-helper2/CMakeFiles/corvina_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
