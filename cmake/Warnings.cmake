# Warnings on everywhere; errors in CI (CI=true), so a warning never lands.
add_compile_options(-Wall -Wextra -Wshadow -Wno-unused-parameter)
if("$ENV{CI}" STREQUAL "true" OR TONVISOR_WERROR)
  add_compile_options(-Werror)
endif()
