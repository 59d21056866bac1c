
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/tests/frameserver/frame_pool_test.cpp" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/frame_pool_test.cpp.o" "gcc" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/frame_pool_test.cpp.o.d"
  "/work/wt/sources/tests/frameserver/function_table_test.cpp" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/function_table_test.cpp.o" "gcc" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/function_table_test.cpp.o.d"
  "/work/wt/sources/tests/frameserver/plugin_loader_test.cpp" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/plugin_loader_test.cpp.o" "gcc" "tests/frameserver/CMakeFiles/frameserver_env_test.dir/plugin_loader_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/wt/sources/build-asan/tests/CMakeFiles/test_support.dir/DependInfo.cmake"
  "/work/wt/sources/build-asan/frameserver/CMakeFiles/frameserve_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
