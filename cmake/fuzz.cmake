# libFuzzer targets for the game's file readers (tests/fuzz/*_fuzz.cpp), built only with
# -DVANTORIX_FUZZ=ON and clang (CXX=clang++); tools/fuzz.sh builds and runs them.
option(VANTORIX_FUZZ "Build the libFuzzer targets of tests/fuzz (needs clang)" OFF)
if(VANTORIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VANTORIX_FUZZ needs clang: configure with CXX=clang++ "
                        "(the compiler found is ${CMAKE_CXX_COMPILER_ID})")
  endif()
  set(FUZZ_SANITIZERS -fno-omit-frame-pointer -fno-sanitize-recover=undefined -g)
  # This build is the fuzzers' own: every library of the game gets coverage instrumentation and
  # the sanitizers, and the targets link the readers' libraries as the program does.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined ${FUZZ_SANITIZERS})
  add_link_options(-fsanitize=address,undefined)

  file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  set(FUZZ_TARGETS "")
  foreach(source ${FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined ${FUZZ_SANITIZERS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE vantorix_animation vantorix_webcam vantorix_net vantorix_replay
      vantorix_settings)
    list(APPEND FUZZ_TARGETS ${name})
  endforeach()
  add_custom_target(fuzz_targets DEPENDS ${FUZZ_TARGETS})
endif()
