# Start-up benchmark (launch to the first painted main window). Included from bench/CMakeLists.txt;
# bench/startup.sh builds and runs it.
add_executable(startup_bench ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
target_link_libraries(startup_bench PRIVATE q6config_lib)
target_link_libraries(startup_bench PRIVATE q6config_warnings)
