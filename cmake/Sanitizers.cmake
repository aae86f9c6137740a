# -DTONVISOR_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
option(TONVISOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TONVISOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# -DTONVISOR_FUZZ=ON (with clang++): everything instrumented for libFuzzer, with
# the same sanitizers; tests/fuzz then builds the fuzz targets.
option(TONVISOR_FUZZ "Instrument for libFuzzer (clang) and build the fuzz targets" OFF)
if(TONVISOR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
