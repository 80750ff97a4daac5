# Shared build rules for every target of ours: warnings as errors, C++20,
# and the sanitizer selected by the preset.

set(WEXO_SANITIZE "" CACHE STRING "Sanitizers to build with (address;undefined or thread)")

function(wexo_target_options target)
    target_compile_features(${target} PUBLIC cxx_std_20)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
    # GCC 12's optimizer reports std::string and std::variant copies it has
    # itself inlined as overlapping or uninitialized (GCC bugs 105329, 105651,
    # 107138). In optimized builds these two stay warnings, still printed,
    # instead of errors; the debug build that CI runs keeps every warning fatal.
    target_compile_options(${target} PRIVATE
        $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>,$<NOT:$<CONFIG:Debug>>>:-Wno-error=restrict;-Wno-error=maybe-uninitialized>)
    if(WEXO_SANITIZE)
        list(JOIN WEXO_SANITIZE "," _san)
        target_compile_options(${target} PUBLIC -fsanitize=${_san} -fno-omit-frame-pointer -fno-sanitize-recover=all)
        target_link_options(${target} PUBLIC -fsanitize=${_san})
    endif()
endfunction()

# A room is one folder under src/ built as one static library. Sources are
# globbed so that a new class only needs its two files.
#   wexo_room(<target> DEPS <libraries...>)
function(wexo_room target)
    cmake_parse_arguments(R "" "" "DEPS" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    file(GLOB _headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    add_library(${target} STATIC ${_sources} ${_headers})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${R_DEPS})
    wexo_target_options(${target})
endfunction()

# One GoogleTest executable per test folder, every test registered with CTest.
#   wexo_test(<target> DEPS <libraries...>)
function(wexo_test target)
    cmake_parse_arguments(T "" "" "DEPS" ${ARGN})
    file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    add_executable(${target} ${_sources})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${T_DEPS} GTest::gmock GTest::gtest_main)
    wexo_target_options(${target})
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120
                         WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

#   wexo_bench(<target> <source> DEPS <libraries...>)
function(wexo_bench target source)
    cmake_parse_arguments(B "" "" "DEPS" ${ARGN})
    add_executable(${target} ${source})
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${target} PRIVATE ${B_DEPS} benchmark::benchmark)
    wexo_target_options(${target})
endfunction()
