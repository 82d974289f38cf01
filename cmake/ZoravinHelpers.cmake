# zoravin_add_library(NAME SOURCES ... LINKS ...)
#   One library per folder under src/; LINKS names the layers below it, and the
#   link lines are what keep the layering honest.
function(zoravin_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(zoravin_${name} STATIC ${ARG_SOURCES})
  target_include_directories(zoravin_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(zoravin_${name} PUBLIC ${ARG_LINKS} PRIVATE zoravin_flags)
  target_compile_definitions(zoravin_${name} PUBLIC QT_NO_CAST_FROM_ASCII)
endfunction()

# zoravin_add_test(NAME [GUI|GRAPHICS] SOURCES ... LINKS ...)
#   A GoogleTest program registered with CTest; tests run offscreen and never
#   touch a user's folder. GUI tests get a QApplication, GRAPHICS tests (fonts
#   and documents without widgets) a QGuiApplication, the others a
#   QCoreApplication.
function(zoravin_add_test name)
  cmake_parse_arguments(ARG "GUI;GRAPHICS" "" "SOURCES;LINKS" ${ARGN})
  if(ARG_GUI)
    set(main ${PROJECT_SOURCE_DIR}/tests/support/GuiMain.cpp)
  elseif(ARG_GRAPHICS)
    set(main ${PROJECT_SOURCE_DIR}/tests/support/GraphicsMain.cpp)
  else()
    set(main ${PROJECT_SOURCE_DIR}/tests/support/CoreMain.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES} ${main})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest zoravin_flags)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ZORAVIN_SERVER=http://127.0.0.1:9")
endfunction()
