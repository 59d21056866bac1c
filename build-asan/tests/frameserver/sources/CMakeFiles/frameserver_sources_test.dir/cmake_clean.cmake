file(REMOVE_RECURSE
  "../../frameserver_sources_test"
  "../../frameserver_sources_test.pdb"
  "CMakeFiles/frameserver_sources_test.dir/audio_dub_test.cpp.o"
  "CMakeFiles/frameserver_sources_test.dir/audio_dub_test.cpp.o.d"
  "CMakeFiles/frameserver_sources_test.dir/test_source_test.cpp.o"
  "CMakeFiles/frameserver_sources_test.dir/test_source_test.cpp.o.d"
  "frameserver_sources_test[1]_tests.cmake"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/frameserver_sources_test.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
