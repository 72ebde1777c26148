file(REMOVE_RECURSE
  "CMakeFiles/corvina.dir/src/main.cpp.o"
  "CMakeFiles/corvina.dir/src/main.cpp.o.d"
  "corvina"
  "corvina.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/corvina.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
