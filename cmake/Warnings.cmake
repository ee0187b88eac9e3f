# Our own code builds with -Wall -Wextra and no warnings.
function(tavrin_warnings target)
    target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX,C>:-Wall -Wextra>)
endfunction()
