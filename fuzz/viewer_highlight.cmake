# The highlighters against the regular-expression rule pass that the viewer's tests keep.
zezuzudod_add_fuzzer(viewer_highlight SOURCES viewer_highlight.cpp)
target_include_directories(viewer_highlight PRIVATE ${PROJECT_SOURCE_DIR}/tests/viewer)
