# dajdor_tests(LIBS <libs...> [QT])
# One test executable per *_test.cpp in the calling folder, registered with CTest.
# The folder's *_fixture.cpp files are compiled once into a library every test
# of the folder links. With QT the executable gets a QApplication (offscreen)
# instead of gtest_main.
if(NOT TARGET dajdor_qt_gtest_main)
  add_library(dajdor_qt_gtest_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/qt_gtest_main.cpp)
  target_link_libraries(dajdor_qt_gtest_main PUBLIC GTest::gtest Qt6::Widgets)
  set_target_properties(dajdor_qt_gtest_main PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endif()

function(dajdor_tests)
  cmake_parse_arguments(ARG "QT" "" "LIBS" ${ARGN})
  file(GLOB test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  file(GLOB fixture_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_fixture.cpp)
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)

  set(common_libs ${ARG_LIBS} GTest::gtest GTest::gmock)
  if(ARG_QT)
    list(APPEND common_libs dajdor_qt_gtest_main Qt6::Widgets Qt6::Test)
  else()
    list(APPEND common_libs GTest::gtest_main)
  endif()

  set(definitions
    DAJDOR_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    DAJDOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  set(includes ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)

  if(fixture_sources)
    set(fixtures ${folder}_test_fixtures)
    add_library(${fixtures} STATIC ${fixture_sources})
    target_include_directories(${fixtures} PUBLIC ${includes})
    target_compile_definitions(${fixtures} PUBLIC ${definitions})
    target_link_libraries(${fixtures} PUBLIC ${common_libs})
    if(NOT ARG_QT)
      set_target_properties(${fixtures} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    endif()
  endif()

  foreach(src IN LISTS test_sources)
    get_filename_component(name ${src} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${src})
    target_include_directories(${target} PRIVATE ${includes})
    target_compile_definitions(${target} PRIVATE ${definitions})
    target_link_libraries(${target} PRIVATE ${fixtures} ${common_libs})
    if(NOT ARG_QT)
      set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
    endif()
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endforeach()
endfunction()
