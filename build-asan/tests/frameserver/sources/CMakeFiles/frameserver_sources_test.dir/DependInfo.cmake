
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/tests/frameserver/sources/audio_dub_test.cpp" "tests/frameserver/sources/CMakeFiles/frameserver_sources_test.dir/audio_dub_test.cpp.o" "gcc" "tests/frameserver/sources/CMakeFiles/frameserver_sources_test.dir/audio_dub_test.cpp.o.d"
  "/work/wt/sources/tests/frameserver/sources/test_source_test.cpp" "tests/frameserver/sources/CMakeFiles/frameserver_sources_test.dir/test_source_test.cpp.o" "gcc" "tests/frameserver/sources/CMakeFiles/frameserver_sources_test.dir/test_source_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/sources/build-asan/tests/CMakeFiles/test_support.dir/DependInfo.cmake"
  "/work/wt/sources/build-asan/frameserver/sources/CMakeFiles/frameserve_sources.dir/DependInfo.cmake"
  "/work/wt/sources/build-asan/frameserver/CMakeFiles/frameserve_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
