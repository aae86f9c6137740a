# -DTONVISOR_SANITIZE=ON builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
option(TONVISOR_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TONVISOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
