file(REMOVE_RECURSE
  "CMakeFiles/no_entry_library.dir/no_entry_library.cpp.o"
  "CMakeFiles/no_entry_library.dir/no_entry_library.cpp.o.d"
  "libno_entry_library.pdb"
  "libno_entry_library.so"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/no_entry_library.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
