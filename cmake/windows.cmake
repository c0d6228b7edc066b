# Pulvar.exe and the Windows tests. Everything but WinMain goes into one
# library so the tests drive the very windows the program shows.
enable_language(RC)

file(GLOB_RECURSE PULVAR_WIN_SOURCES CONFIGURE_DEPENDS
     platform/*.cpp ui/*.cpp report/*.cpp)

add_library(pulvar_win STATIC ${PULVAR_WIN_SOURCES})
target_link_libraries(pulvar_win PUBLIC pulvar_core)
target_compile_options(pulvar_win PRIVATE ${PULVAR_WARNINGS})
target_compile_definitions(pulvar_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                           _WIN32_WINNT=0x0601 WINVER=0x0601)
# winspool, comdlg32, ole32, oleaut32 and shell32 are deliberately absent: the
# print system, OLE and the shell are loaded when a command first needs them
# (platform/system_library.h), so starting the program waits for none of them.
target_link_libraries(pulvar_win PUBLIC comctl32 advapi32 uuid gdi32 user32 kernel32)

# The .rc finds res/version.h and res/pulvar.manifest, both written by the
# build, through the generated folder among pulvar_core's include directories.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/res/pulvar.manifest.in ${PULVAR_GENERATED_DIR}/res/pulvar.manifest @ONLY)
set(PULVAR_RC ${CMAKE_CURRENT_SOURCE_DIR}/res/pulvar.rc)
if(NOT MSVC)
  # The .rc is UTF-8; windres needs to be told.
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

# The resource compiler's inputs: a changed image or manifest rebuilds the resources.
file(GLOB PULVAR_RC_INPUTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/assets/*.ico
     ${CMAKE_CURRENT_SOURCE_DIR}/assets/*.bmp ${CMAKE_CURRENT_SOURCE_DIR}/assets/*.cur
     ${CMAKE_CURRENT_SOURCE_DIR}/assets/*.gif)
set_source_files_properties(${PULVAR_RC} PROPERTIES OBJECT_DEPENDS
    "${PULVAR_GENERATED_DIR}/res/pulvar.manifest;${PULVAR_GENERATED_DIR}/res/version.h;${CMAKE_CURRENT_SOURCE_DIR}/res/resource.h;${PULVAR_RC_INPUTS}")

add_executable(Pulvar WIN32 app/main.cpp ${PULVAR_RC})
target_link_libraries(Pulvar PRIVATE pulvar_win)
target_compile_options(Pulvar PRIVATE ${PULVAR_WARNINGS})
set_target_properties(Pulvar PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# Both linkers mark the exe terminal-server aware (so Windows does not patch
# its view of the system folder and INI files), with ASLR at 64 bits and DEP:
# DllCharacteristics 0x8160 (tests/windows/manifest_test.cpp).
if(MSVC)
  # The .rc embeds the program's own manifest; the linker must not add a second.
  # Control Flow Guard's table, and shadow-stack (CET) compatibility.
  target_link_options(Pulvar PRIVATE /MANIFEST:NO /guard:cf /CETCOMPAT)
else()
  # No link time in the header: two builds of one commit are the same bytes.
  target_link_options(Pulvar PRIVATE -municode -static -static-libgcc -static-libstdc++ -s
                      -Wl,--tsaware -Wl,--no-insert-timestamp)
endif()

# Where a control of the running program is on screen, from the window itself:
# the end-to-end checks and the screenshot script click with it. Not shipped.
add_executable(control_place bench/control_place.cpp)
target_link_libraries(control_place PRIVATE pulvar_core user32)
target_compile_options(control_place PRIVATE ${PULVAR_WARNINGS})
target_compile_definitions(control_place PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
if(NOT MSVC)
  target_link_options(control_place PRIVATE -municode -static -static-libgcc -static-libstdc++)
endif()

if(PULVAR_TESTS)
  file(GLOB PULVAR_WIN_TESTS CONFIGURE_DEPENDS tests/windows/*.cpp)
  if(PULVAR_WIN_TESTS)
    add_executable(pulvar_windows_tests ${PULVAR_WIN_TESTS} ${PULVAR_RC})
    # oleacc, ole32 and oleaut32: the screen-reader test asks MSAA, as a reader does.
    target_link_libraries(pulvar_windows_tests PRIVATE pulvar_win GTest::gtest version psapi oleacc ole32 oleaut32)
    target_compile_options(pulvar_windows_tests PRIVATE ${PULVAR_WARNINGS})
    target_compile_definitions(pulvar_windows_tests PRIVATE
        PULVAR_EXE_PATH="$<TARGET_FILE:Pulvar>")
    if(MSVC)
      target_link_options(pulvar_windows_tests PRIVATE /MANIFEST:NO)
    else()
      target_link_options(pulvar_windows_tests PRIVATE -static -static-libgcc -static-libstdc++)
    endif()
    add_test(NAME windows COMMAND pulvar_windows_tests --gtest_brief=1)
  endif()

  # The stand-in for a system DLL that tests/e2e/planted_dll.sh puts beside a
  # copy of the program. Its own folder, so nothing else links against it.
  add_library(planted_dll SHARED tests/e2e/planted_dll.cpp)
  target_compile_options(planted_dll PRIVATE ${PULVAR_WARNINGS})
  target_compile_definitions(planted_dll PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN)
  set_target_properties(planted_dll PROPERTIES OUTPUT_NAME winspool PREFIX "" SUFFIX ".drv"
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted
                        ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
  if(NOT MSVC)
    target_link_options(planted_dll PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endif()
