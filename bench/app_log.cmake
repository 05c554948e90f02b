find_package(spdlog REQUIRED)
zezuzudod_add_benchmark(app_log SOURCES app_log.cpp LIBS spdlog::spdlog)
