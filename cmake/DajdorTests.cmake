# dajdor_tests([LIBS <core libs...>] [UI_LIBS <window libs...>] [PLAIN])
# One test executable per *_test.cpp in the calling folder, registered with CTest.
#
# Tests of domain code link LIBS only and run under a QCoreApplication (PLAIN:
# plain GoogleTest, for the engine and tools without Qt). Tests of windows, named
# *_window_test.cpp, *_dialog_test.cpp or *_widget_test.cpp (every test of a
# folder that gives no LIBS), also link UI_LIBS and get a QApplication (offscreen).
# The folder's *_fixture.cpp files are compiled once into a library every test
# links; *_window_fixture.cpp files into one only the window tests link.
foreach(main_kind qt core)
  if(NOT TARGET dajdor_${main_kind}_gtest_main)
    add_library(dajdor_${main_kind}_gtest_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/${main_kind}_gtest_main.cpp)
    set_target_properties(dajdor_${main_kind}_gtest_main PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  endif()
endforeach()
target_link_libraries(dajdor_qt_gtest_main PUBLIC GTest::gtest Qt6::Widgets)
target_link_libraries(dajdor_core_gtest_main PUBLIC GTest::gtest Qt6::Core)

function(dajdor_tests)
  cmake_parse_arguments(ARG "PLAIN" "" "LIBS;UI_LIBS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB fixture_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fixture.cpp)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)

  set(definitions
    DAJDOR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    DAJDOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set(includes ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  if(ARG_PLAIN)
    set(core_main GTest::gtest_main)
  else()
    set(core_main dajdor_core_gtest_main Qt6::Test)
  endif()
  set(core_libs ${ARG_LIBS} ${core_main} GTest::gtest GTest::gmock)
  set(ui_libs ${ARG_LIBS} ${ARG_UI_LIBS} dajdor_qt_gtest_main GTest::gtest GTest::gmock Qt6::Widgets Qt6::Test)

  set(core_fixture_sources "")
  set(ui_fixture_sources "")
  foreach(src IN LISTS fixture_sources)
    if(src MATCHES "_window_fixture\\.cpp$")
      list(APPEND ui_fixture_sources ${src})
    else()
      list(APPEND core_fixture_sources ${src})
    endif()
  endforeach()
  set(core_fixtures "")
  if(core_fixture_sources)
    set(core_fixtures ${folder}_test_fixtures)
    add_library(${core_fixtures} STATIC ${core_fixture_sources})
    target_include_directories(${core_fixtures} PUBLIC ${includes})
    target_compile_definitions(${core_fixtures} PUBLIC ${definitions})
    target_link_libraries(${core_fixtures} PUBLIC ${ARG_LIBS} GTest::gtest GTest::gmock)
    set_target_properties(${core_fixtures} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
  endif()
  set(ui_fixtures "")
  if(ui_fixture_sources)
    set(ui_fixtures ${folder}_window_test_fixtures)
    add_library(${ui_fixtures} STATIC ${ui_fixture_sources})
    target_include_directories(${ui_fixtures} PUBLIC ${includes})
    target_compile_definitions(${ui_fixtures} PUBLIC ${definitions})
    target_link_libraries(${ui_fixtures} PUBLIC ${core_fixtures} ${ui_libs})
  endif()

  foreach(src IN LISTS test_sources)
    get_filename_component(name ${src} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${src})
    target_include_directories(${target} PRIVATE ${includes})
    target_compile_definitions(${target} PRIVATE ${definitions})
    if(NOT ARG_LIBS OR name MATCHES "_(window|dialog|widget)_test$")
      target_link_libraries(${target} PRIVATE ${ui_fixtures} ${core_fixtures} ${ui_libs})
    else()
      target_link_libraries(${target} PRIVATE ${core_fixtures} ${core_libs})
      set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()
