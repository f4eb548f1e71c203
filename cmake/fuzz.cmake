# libFuzzer targets for the game's file readers (tests/fuzz/*_fuzz.cpp), built only with
# -DVANTORIX_FUZZ=ON and clang (CXX=clang++); tools/fuzz.sh builds and runs them.
option(VANTORIX_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)
if(VANTORIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VANTORIX_FUZZ needs clang: configure with CXX=clang++ "
                        "(the compiler found is ${CMAKE_CXX_COMPILER_ID})")
  endif()
  set(FUZZ_SANITIZERS -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g)

  # The readers under test, compiled apart from the core library with coverage instrumentation
  # and the sanitizers, so that the rest of this build keeps its own flags.
  add_library(vantorix_fuzz_readers STATIC
    animation/filreader.cpp animation/motion_check.cpp animation/bmp_surface.cpp
    webcam/WebCam.cpp)
  target_include_directories(vantorix_fuzz_readers PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(vantorix_fuzz_readers PRIVATE
    -fsanitize=fuzzer-no-link,address,undefined ${FUZZ_SANITIZERS})
  target_link_libraries(vantorix_fuzz_readers PUBLIC PkgConfig::SDL)

  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  set(FUZZ_TARGETS "")
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined ${FUZZ_SANITIZERS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE vantorix_fuzz_readers)
    list(APPEND FUZZ_TARGETS ${name})
  endforeach()
  add_custom_target(fuzz_targets DEPENDS ${FUZZ_TARGETS})
endif()
