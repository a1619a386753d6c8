# dajdor_subsystem(<name> [CORE_LIBS ...] [UI_LIBS ...])
#
# Builds the folder's sources into two libraries, so the layering is visible:
#   <name>_core  every *.cpp except windows: QtCore at most, testable headless
#   <name>_ui    *_window.cpp, *_dialog.cpp, *_widget.cpp: Qt Widgets, links <name>_core
# Sources are globbed, so adding a file needs no edit here.
function(dajdor_subsystem name)
  cmake_parse_arguments(ARG "" "" "CORE_LIBS;UI_LIBS" ${ARGN})
  file(GLOB all_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB qrc_files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
  set(core_sources "")
  set(ui_sources "")
  foreach(src IN LISTS all_sources)
    get_filename_component(base ${src} NAME_WE)
    if(base MATCHES "_(window|dialog|widget)$" OR base STREQUAL "main")
      if(NOT base STREQUAL "main")
        list(APPEND ui_sources ${src})
      endif()
    else()
      list(APPEND core_sources ${src})
    endif()
  endforeach()
  if(NOT core_sources)
    return()  # a folder whose first sources are still to come
  endif()
  add_library(${name}_core STATIC ${core_sources})
  target_include_directories(${name}_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name}_core PUBLIC Qt6::Core ${ARG_CORE_LIBS})
  if(ui_sources OR qrc_files)
    add_library(${name}_ui STATIC ${ui_sources} ${qrc_files})
    target_link_libraries(${name}_ui PUBLIC ${name}_core Qt6::Widgets Qt6::PrintSupport ${ARG_UI_LIBS})
  endif()
endfunction()
