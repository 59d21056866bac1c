
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/frameserver/env/function_table.cpp" "frameserver/CMakeFiles/frameserve_core.dir/env/function_table.cpp.o" "gcc" "frameserver/CMakeFiles/frameserve_core.dir/env/function_table.cpp.o.d"
  "/work/wt/sources/frameserver/env/script_environment.cpp" "frameserver/CMakeFiles/frameserve_core.dir/env/script_environment.cpp.o" "gcc" "frameserver/CMakeFiles/frameserve_core.dir/env/script_environment.cpp.o.d"
  "/work/wt/sources/frameserver/frames/frame_pool.cpp" "frameserver/CMakeFiles/frameserve_core.dir/frames/frame_pool.cpp.o" "gcc" "frameserver/CMakeFiles/frameserve_core.dir/frames/frame_pool.cpp.o.d"
  "/work/wt/sources/frameserver/loader/plugin_loader.cpp" "frameserver/CMakeFiles/frameserve_core.dir/loader/plugin_loader.cpp.o" "gcc" "frameserver/CMakeFiles/frameserve_core.dir/loader/plugin_loader.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
