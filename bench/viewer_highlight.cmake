# The baseline is KSyntaxHighlighting's INI and C definitions; only this benchmark links it.
find_package(KF5SyntaxHighlighting REQUIRED)
zezuzudod_add_benchmark(viewer_highlight SOURCES viewer_highlight.cpp LIBS KF5::SyntaxHighlighting)
target_include_directories(viewer_highlight PRIVATE ${PROJECT_SOURCE_DIR}/tests/viewer)
