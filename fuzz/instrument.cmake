# Included before the sources when WAKEBURST_FUZZ is on: everything is built with clang's
# coverage instrumentation for libFuzzer, and with AddressSanitizer and
# UndefinedBehaviorSanitizer, so that a fault anywhere the fuzzers reach stops them.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "WAKEBURST_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer -g)
add_link_options(-fsanitize=address,undefined)
