# zezuzudod_add_help_collection(<target> <project.qhp> [OUTPUT_DIRECTORY <dir>])
#
# Builds a Qt Help collection for HelpViewer from a Qt Help project with qhelpgenerator, as part
# of the build: <dir>/<target>.qch (the compressed pages) and <dir>/<target>.qhc (the collection
# that registers it; hand this one to HelpViewer::setHelpFile). <dir> is the current binary
# folder unless OUTPUT_DIRECTORY says otherwise. The collection names the help file relative to
# itself, so install both side by side.
#
# The files that the project lists in its <file> entries (wildcards included) are dependencies of
# the custom target <target>: editing a page rebuilds the collection. The target properties
# HELP_COLLECTION and HELP_FILE hold the two paths, e.g. for
#   target_compile_definitions(tool PRIVATE HELP="$<TARGET_PROPERTY:manual,HELP_COLLECTION>")
include_guard(GLOBAL)

find_package(Qt5 5.15 REQUIRED COMPONENTS Help)

function(zezuzudod_add_help_collection target project)
    cmake_parse_arguments(PARSE_ARGV 2 ARG "" "OUTPUT_DIRECTORY" "")
    if(ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "zezuzudod_add_help_collection: unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
    endif()
    get_filename_component(project ${project} ABSOLUTE)
    get_filename_component(project_dir ${project} DIRECTORY)
    set(dir ${CMAKE_CURRENT_BINARY_DIR})
    if(ARG_OUTPUT_DIRECTORY)
        get_filename_component(dir ${ARG_OUTPUT_DIRECTORY} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_BINARY_DIR})
    endif()
    set(qch ${dir}/${target}.qch)
    set(qhc ${dir}/${target}.qhc)
    set(qhcp ${dir}/${target}.qhcp)

    # A new or renamed page changes the project file, which configures again.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${project})
    file(READ ${project} content)
    string(REGEX MATCHALL "<file>[^<]*</file>" entries "${content}")
    set(pages)
    foreach(entry IN LISTS entries)
        string(REGEX REPLACE "^<file>[ \t\r\n]*(.*[^ \t\r\n])[ \t\r\n]*</file>$" "\\1" page "${entry}")
        if(page MATCHES "[*?]")
            file(GLOB matches CONFIGURE_DEPENDS ${project_dir}/${page})
            list(APPEND pages ${matches})
        else()
            list(APPEND pages ${project_dir}/${page})
        endif()
    endforeach()

    # qhelpgenerator writes what a collection project generates beside the project, so the
    # collection project only registers the help file built before it.
    file(CONFIGURE OUTPUT ${qhcp} CONTENT [[
<?xml version="1.0" encoding="UTF-8"?>
<QHelpCollectionProject version="1.0">
    <docFiles>
        <register>
            <file>@target@.qch</file>
        </register>
    </docFiles>
</QHelpCollectionProject>
]] @ONLY)

    # An old collection would keep the registration of the old help file.
    add_custom_command(OUTPUT ${qch} ${qhc}
        COMMAND ${CMAKE_COMMAND} -E rm -f ${qch} ${qhc}
        COMMAND Qt5::qhelpgenerator -s ${project} -o ${qch}
        COMMAND Qt5::qhelpgenerator -s ${qhcp} -o ${qhc}
        DEPENDS ${project} ${pages} ${qhcp}
        COMMENT "Generating help collection ${target}.qhc"
        VERBATIM)
    add_custom_target(${target} ALL DEPENDS ${qch} ${qhc})
    set_target_properties(${target} PROPERTIES HELP_COLLECTION ${qhc} HELP_FILE ${qch})
endfunction()
