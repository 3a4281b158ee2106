# trendola_add_gtest(<name> SOURCES <files...> LIBS <targets...> [WIDGETS])
# Builds one GoogleTest executable with the shared test support and
# registers its cases with CTest. WIDGETS gives it a QApplication and runs
# the cases on Qt's offscreen platform, so no display is needed.
include(GoogleTest)

function(trendola_add_gtest name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} trendola_test_support GTest::gtest GTest::gmock)
  set(props "")
  if(ARG_WIDGETS)
    target_link_libraries(${name} PRIVATE trendola_widget_test_main trendola_qt_test_support)
    set(props ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
endfunction()
