include(${CMAKE_CURRENT_LIST_DIR}/KesmarLayers.cmake)

# kesmar_library(NAME SOURCES ... LINKS ...): one static library per source
# folder. It sees its own folder's headers and those of what it links, which
# must lie below it (KesmarLayers.cmake).
function(kesmar_library name)
  cmake_parse_arguments(K "" "" "SOURCES;LINKS" ${ARGN})
  if(NOT K_SOURCES)
    set(K_SOURCES ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
  kesmar_check_links(${name} ${folder} ${K_LINKS})
  add_library(${name} STATIC ${K_SOURCES})
  set_target_properties(${name} PROPERTIES KESMAR_FOLDER ${folder})
  set_property(GLOBAL APPEND PROPERTY KESMAR_LIBRARIES ${name})
  kesmar_include_root(${name} ${folder} root)
  target_include_directories(${name} PUBLIC ${root})
  kesmar_layer_of(${folder} layer)
  if(layer LESS 2)
    kesmar_add_widget_guard(${name})
  endif()
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
