# Build one GoogleTest executable from SOURCES, link it to LIBS and register
# every test case with CTest.  ENV entries are set for each test case.
find_package(GTest REQUIRED)
include(GoogleTest)

function(tavrelo_add_test NAME)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;ENV;LABELS" ${ARGN})
  add_executable(${NAME} ${ARG_SOURCES})
  target_link_libraries(${NAME} PRIVATE ${ARG_LIBS} tavrelo_test_doubles GTest::gtest GTest::gtest_main)
  set(Properties "")
  if(ARG_ENV)
    list(APPEND Properties ENVIRONMENT "${ARG_ENV}")
  endif()
  if(ARG_LABELS)
    list(APPEND Properties LABELS "${ARG_LABELS}")
  endif()
  gtest_discover_tests(${NAME}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${Properties}
    DISCOVERY_TIMEOUT 30)
endfunction()
