
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/support/Fakes.cpp" "tests/CMakeFiles/unit_tests.dir/support/Fakes.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/support/Fakes.cpp.o.d"
  "/work/main/tests/support/ManualMainQueue.cpp" "tests/CMakeFiles/unit_tests.dir/support/ManualMainQueue.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/support/ManualMainQueue.cpp.o.d"
  "/work/main/tests/unit/AppStateTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/AppStateTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/AppStateTest.cpp.o.d"
  "/work/main/tests/unit/CatalogueAndLanguageTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/CatalogueAndLanguageTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/CatalogueAndLanguageTest.cpp.o.d"
  "/work/main/tests/unit/ClipboardManagerTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/ClipboardManagerTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/ClipboardManagerTest.cpp.o.d"
  "/work/main/tests/unit/ContextMenuTitlesTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/ContextMenuTitlesTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/ContextMenuTitlesTest.cpp.o.d"
  "/work/main/tests/unit/CustomTabTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/CustomTabTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/CustomTabTest.cpp.o.d"
  "/work/main/tests/unit/DownloadNamesTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/DownloadNamesTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/DownloadNamesTest.cpp.o.d"
  "/work/main/tests/unit/DownloadSettingsTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/DownloadSettingsTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/DownloadSettingsTest.cpp.o.d"
  "/work/main/tests/unit/PlatformTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/PlatformTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/PlatformTest.cpp.o.d"
  "/work/main/tests/unit/PreferenceStoreTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/PreferenceStoreTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/PreferenceStoreTest.cpp.o.d"
  "/work/main/tests/unit/ResponsePolicyTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/ResponsePolicyTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/ResponsePolicyTest.cpp.o.d"
  "/work/main/tests/unit/WebKeysTest.cpp" "tests/CMakeFiles/unit_tests.dir/unit/WebKeysTest.cpp.o" "gcc" "tests/CMakeFiles/unit_tests.dir/unit/WebKeysTest.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-helper2/CMakeFiles/corvina_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
