# tiko_fuzz_flags(TARGET): compiles and links TARGET as a libFuzzer target under
# AddressSanitizer and UndefinedBehaviorSanitizer; any sanitizer report ends the
# run as a finding.
function(tiko_fuzz_flags target)
  set(flags -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
            -g)
  target_compile_options(${target} PRIVATE ${flags})
  target_link_options(${target} PRIVATE ${flags})
endfunction()

# tiko_add_picture_fuzzer(NAME LABEL [SEED_LIBS...]): a libFuzzer target
# fuzz_NAME over the picture decoders, and the tool fuzz_NAME_seeds that
# writes its seed files into build/fuzz-seeds/NAME. The decoders are compiled
# once, instrumented, for all picture targets.
function(tiko_add_picture_fuzzer name label)
  find_package(PNG REQUIRED)
  find_package(JPEG REQUIRED)
  find_package(ZLIB REQUIRED)
  if(NOT TARGET tiko_fuzz_pictures)
    file(GLOB picture_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/config/picture/*.cpp
         ${CMAKE_SOURCE_DIR}/config/picture/*.c)
    add_library(tiko_fuzz_pictures STATIC ${picture_sources})
    target_include_directories(tiko_fuzz_pictures PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(tiko_fuzz_pictures PUBLIC Qt6::Gui PNG::PNG JPEG::JPEG ZLIB::ZLIB)
    set(flags -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
              -fno-omit-frame-pointer -g)
    target_compile_options(tiko_fuzz_pictures PRIVATE ${flags})
  endif()
  add_executable(fuzz_${name} fuzz_${name}.cpp)
  target_link_libraries(fuzz_${name} PRIVATE tiko_fuzz_pictures)
  tiko_fuzz_flags(fuzz_${name})

  add_executable(fuzz_${name}_seeds ${name}_seeds.cpp)
  target_include_directories(fuzz_${name}_seeds PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(fuzz_${name}_seeds PRIVATE Qt6::Gui ${ARGN})
  add_custom_target(fuzz_${name}_seed_files ALL
    COMMAND fuzz_${name}_seeds ${CMAKE_BINARY_DIR}/fuzz-seeds/${name}
    COMMENT "Writing the ${label} fuzzing seeds")
endfunction()
