
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/tests/support/plugin_fixture.cpp" "tests/CMakeFiles/test_support.dir/support/plugin_fixture.cpp.o" "gcc" "tests/CMakeFiles/test_support.dir/support/plugin_fixture.cpp.o.d"
  "/work/wt/sources/tests/support/scripted_clip.cpp" "tests/CMakeFiles/test_support.dir/support/scripted_clip.cpp.o" "gcc" "tests/CMakeFiles/test_support.dir/support/scripted_clip.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/sources/build-asan/frameserver/CMakeFiles/frameserve_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
