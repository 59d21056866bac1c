file(REMOVE_RECURSE
  "CMakeFiles/frameserve_sources.dir/audio_dub.cpp.o"
  "CMakeFiles/frameserve_sources.dir/audio_dub.cpp.o.d"
  "CMakeFiles/frameserve_sources.dir/sources.cpp.o"
  "CMakeFiles/frameserve_sources.dir/sources.cpp.o.d"
  "CMakeFiles/frameserve_sources.dir/test_pattern.cpp.o"
  "CMakeFiles/frameserve_sources.dir/test_pattern.cpp.o.d"
  "CMakeFiles/frameserve_sources.dir/test_source.cpp.o"
  "CMakeFiles/frameserve_sources.dir/test_source.cpp.o.d"
  "CMakeFiles/frameserve_sources.dir/test_tone.cpp.o"
  "CMakeFiles/frameserve_sources.dir/test_tone.cpp.o.d"
  "libframeserve_sources.a"
  "libframeserve_sources.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/frameserve_sources.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
