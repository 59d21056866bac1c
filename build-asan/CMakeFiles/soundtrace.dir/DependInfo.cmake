
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/wt/sources/host/plugin_entry.cpp" "CMakeFiles/soundtrace.dir/host/plugin_entry.cpp.o" "gcc" "CMakeFiles/soundtrace.dir/host/plugin_entry.cpp.o.d"
  "/work/wt/sources/soundtrace/soundtrace_canvas.cpp" "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_canvas.cpp.o" "gcc" "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_canvas.cpp.o.d"
  "/work/wt/sources/soundtrace/soundtrace_setup.cpp" "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_setup.cpp.o" "gcc" "CMakeFiles/soundtrace.dir/soundtrace/soundtrace_setup.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
