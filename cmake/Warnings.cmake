# Warnings for every target of ours; errors in CI.
add_library(tabora_warnings INTERFACE)
if(MSVC)
  target_compile_options(tabora_warnings INTERFACE /W4 /utf-8 $<$<BOOL:${TABORA_WERROR}>:/WX>)
else()
  target_compile_options(tabora_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                         -Wold-style-cast -Woverloaded-virtual $<$<BOOL:${TABORA_WERROR}>:-Werror>)
endif()
