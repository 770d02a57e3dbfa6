# kesmar_library(NAME SOURCES ... LINKS ...): one static library per source folder.
function(kesmar_library name)
  cmake_parse_arguments(K "" "" "SOURCES;LINKS" ${ARGN})
  if(NOT K_SOURCES)
    set(K_SOURCES ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${K_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${K_LINKS})
endfunction()

# kesmar_test(NAME SOURCES ... LINKS ...): one GoogleTest executable per test folder.
function(kesmar_test name)
  cmake_parse_arguments(K "" "" "SOURCES;LINKS" ${ARGN})
  if(NOT K_SOURCES)
    return()
  endif()
  add_executable(${name} ${K_SOURCES})
  target_link_libraries(${name} PRIVATE ${K_LINKS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    KESMAR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    KESMAR_SHARED_DIR="${PROJECT_SOURCE_DIR}/../shared")
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TZ=UTC"
    DISCOVERY_TIMEOUT 60)
endfunction()
