# The hardening flags of Debian's dpkg-buildflags (hardening=+all less what C++ code and Qt
# cannot take), for every target of the project.
include(CheckCXXCompilerFlag)

# Debian's compilers make position-independent executables by default; Qt wants its users'
# code built with -fPIC, which its targets ask for, and not -fPIE.

foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "QUARN_HAS${flag}" have)
  check_cxx_compiler_flag(${flag} ${have})
  if(${have})
    add_compile_options(${flag})
  endif()
endforeach()
# _FORTIFY_SOURCE needs optimisation; a Debug build would only warn.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                    $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)
