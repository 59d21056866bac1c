file(REMOVE_RECURSE
  "../soundtrace_setup_test"
  "../soundtrace_setup_test.pdb"
  "CMakeFiles/soundtrace_setup_test.dir/soundtrace_setup_test.cpp.o"
  "CMakeFiles/soundtrace_setup_test.dir/soundtrace_setup_test.cpp.o.d"
  "soundtrace_setup_test[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/soundtrace_setup_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
