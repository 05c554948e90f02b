# The matcher is private to the library, so its source is built into the fuzzer.
zezuzudod_add_fuzzer(views_matcher SOURCES views_matcher.cpp
                     ${PROJECT_SOURCE_DIR}/src/views/caseinsensitivematcher.cpp)
target_include_directories(views_matcher PRIVATE ${PROJECT_SOURCE_DIR}/src/views)
