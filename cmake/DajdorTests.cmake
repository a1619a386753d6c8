# dajdor_tests(LIBS <libs...> [QT])
# One test executable per *_test.cpp in the calling folder, registered with CTest.
# With QT the executable gets a QApplication (offscreen) instead of gtest_main.
function(dajdor_tests)
  cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB helper_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fixture.cpp)
  foreach(src IN LISTS test_sources)
    get_filename_component(name ${src} NAME_WE)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(target ${folder}_${name})
    add_executable(${target} ${src} ${helper_sources})
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
    target_compile_definitions(${target} PRIVATE
      DAJDOR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
      DAJDOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    if(ARG_QT)
      target_sources(${target} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/qt_gtest_main.cpp)
      target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock Qt6::Widgets Qt6::Test)
    else()
      target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()
