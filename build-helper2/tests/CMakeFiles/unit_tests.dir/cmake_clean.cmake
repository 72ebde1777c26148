file(REMOVE_RECURSE
  "CMakeFiles/unit_tests.dir/support/Fakes.cpp.o"
  "CMakeFiles/unit_tests.dir/support/Fakes.cpp.o.d"
  "CMakeFiles/unit_tests.dir/support/ManualMainQueue.cpp.o"
  "CMakeFiles/unit_tests.dir/support/ManualMainQueue.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/AppStateTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/AppStateTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/CatalogueAndLanguageTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/CatalogueAndLanguageTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/ClipboardManagerTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/ClipboardManagerTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/ContextMenuTitlesTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/ContextMenuTitlesTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/CustomTabTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/CustomTabTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/DownloadNamesTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/DownloadNamesTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/DownloadSettingsTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/DownloadSettingsTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/PlatformTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/PlatformTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/PreferenceStoreTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/PreferenceStoreTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/ResponsePolicyTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/ResponsePolicyTest.cpp.o.d"
  "CMakeFiles/unit_tests.dir/unit/WebKeysTest.cpp.o"
  "CMakeFiles/unit_tests.dir/unit/WebKeysTest.cpp.o.d"
  "unit_tests"
  "unit_tests.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/unit_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
