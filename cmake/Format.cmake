# `format` rewrites every C++ source of the repository in the style of .clang-format;
# `check-format` only reports, and fails when a file is not in that style (CI runs it).
find_program(CLANG_FORMAT clang-format)
if(NOT CLANG_FORMAT)
    return()
endif()
file(GLOB_RECURSE TES_FORMATTED_SOURCES CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cpp
    ${PROJECT_SOURCE_DIR}/tests/*.h ${PROJECT_SOURCE_DIR}/tests/*.cpp
    ${PROJECT_SOURCE_DIR}/bench/*.h ${PROJECT_SOURCE_DIR}/bench/*.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/*.h ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)
add_custom_target(format
    COMMAND ${CLANG_FORMAT} -i ${TES_FORMATTED_SOURCES}
    COMMENT "Formatting the sources with clang-format" VERBATIM)
add_custom_target(check-format
    COMMAND ${CLANG_FORMAT} --dry-run --Werror ${TES_FORMATTED_SOURCES}
    COMMENT "Checking the sources' format with clang-format" VERBATIM)
