file(REMOVE_RECURSE
  "CMakeFiles/integration_tests.dir/integration/AppLaunchTest.cpp.o"
  "CMakeFiles/integration_tests.dir/integration/AppLaunchTest.cpp.o.d"
  "CMakeFiles/integration_tests.dir/integration/AppProcess.cpp.o"
  "CMakeFiles/integration_tests.dir/integration/AppProcess.cpp.o.d"
  "CMakeFiles/integration_tests.dir/integration/GtkEnvironment.cpp.o"
  "CMakeFiles/integration_tests.dir/integration/GtkEnvironment.cpp.o.d"
  "CMakeFiles/integration_tests.dir/integration/PasteboardTest.cpp.o"
  "CMakeFiles/integration_tests.dir/integration/PasteboardTest.cpp.o.d"
  "CMakeFiles/integration_tests.dir/support/Fakes.cpp.o"
  "CMakeFiles/integration_tests.dir/support/Fakes.cpp.o.d"
  "CMakeFiles/integration_tests.dir/support/ManualMainQueue.cpp.o"
  "CMakeFiles/integration_tests.dir/support/ManualMainQueue.cpp.o.d"
  "integration_tests"
  "integration_tests.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/integration_tests.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
