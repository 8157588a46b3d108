# Compiler settings shared by every target of ours.
add_library(ovira_options INTERFACE)
target_compile_options(ovira_options INTERFACE -Wall -Wextra -Wshadow -Wno-missing-field-initializers)
if(OVIRA_WERROR)
  target_compile_options(ovira_options INTERFACE -Werror)
endif()
if(WIN32)
  target_compile_definitions(ovira_options INTERFACE
    UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

# The product has no exceptions and no RTTI: failures are status codes.
# Tests keep them, as GoogleTest expects.
add_library(ovira_product_options INTERFACE)
target_compile_options(ovira_product_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)

# Windows binaries carry their runtime, so the program runs from any folder.
function(ovira_static_runtime target)
  if(WIN32)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
