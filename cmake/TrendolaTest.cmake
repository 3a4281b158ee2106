# trendola_add_gtest(<name> SOURCES <files...> LIBS <targets...> [WIDGETS])
# Builds one GoogleTest executable and registers its cases with CTest.
# WIDGETS runs the cases on Qt's offscreen platform, so no display is needed.
include(GoogleTest)

function(trendola_add_gtest name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(props "")
  if(ARG_WIDGETS)
    set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
