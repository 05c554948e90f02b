zezuzudod_add_benchmark(app_trace SOURCES app_trace.cpp)
