# morvane_module(NAME DEPS...): a static library from every .cpp file of the current folder.
# Sources are globbed so that adding a file needs no edit here; CONFIGURE_DEPENDS re-globs on build.
function(morvane_module name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        set(sources ${CMAKE_SOURCE_DIR}/src/empty.cpp)
    endif()
    add_library(morvane_${name} STATIC ${sources})
    target_include_directories(morvane_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    if(ARGN)
        list(TRANSFORM ARGN PREPEND morvane_)
        target_link_libraries(morvane_${name} PUBLIC ${ARGN})
    endif()
endfunction()

# morvane_test(NAME LIBS...): one GoogleTest executable from every .cpp of the current test folder,
# linked only with the libraries it tests (so a folder's tests build while another folder is broken).
function(morvane_test name)
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(NOT sources)
        return()
    endif()
    add_executable(test_${name} ${sources})
    target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    list(TRANSFORM ARGN PREPEND morvane_)
    target_link_libraries(test_${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
    target_compile_definitions(test_${name} PRIVATE MORVANE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    if(name STREQUAL "cli")
        # The CLI tests run the built program.
        target_compile_definitions(test_${name} PRIVATE MORVANE_CLI_PATH="$<TARGET_FILE:morvane-cli>")
        add_dependencies(test_${name} morvane-cli)
    endif()
    gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
endfunction()
