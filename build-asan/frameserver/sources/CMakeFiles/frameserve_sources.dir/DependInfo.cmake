
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/frameserver/sources/audio_dub.cpp" "frameserver/sources/CMakeFiles/frameserve_sources.dir/audio_dub.cpp.o" "gcc" "frameserver/sources/CMakeFiles/frameserve_sources.dir/audio_dub.cpp.o.d"
  "/work/wt/sources/frameserver/sources/sources.cpp" "frameserver/sources/CMakeFiles/frameserve_sources.dir/sources.cpp.o" "gcc" "frameserver/sources/CMakeFiles/frameserve_sources.dir/sources.cpp.o.d"
  "/work/wt/sources/frameserver/sources/test_pattern.cpp" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_pattern.cpp.o" "gcc" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_pattern.cpp.o.d"
  "/work/wt/sources/frameserver/sources/test_source.cpp" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_source.cpp.o" "gcc" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_source.cpp.o.d"
  "/work/wt/sources/frameserver/sources/test_tone.cpp" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_tone.cpp.o" "gcc" "frameserver/sources/CMakeFiles/frameserve_sources.dir/test_tone.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/sources/build-asan/frameserver/CMakeFiles/frameserve_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
