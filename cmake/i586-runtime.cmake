# What ships runs on the original Pentium (i586) and every later x86 processor. Debian's
# compilers target the Pentium Pro, and so do their prebuilt C runtime, libgcc and libstdc++
# (CMOV, FCMOV, FCOMI; one in the start-up code). So everything built here is compiled for the
# i586, and the shipped programs link the runtime rebuilt for it (scripts/i586-runtime.sh, run
# by scripts/setup.sh) ahead of Debian's; the import libraries of the system DLLs still come
# from Debian. scripts/check-imports.py reads every instruction of the shipped programs.
# Tuned for the Pentium, as the runtime is: for -mtune=generic GCC writes TZCNT (REP BSF) for
# __builtin_ctz and std::bitset::_Find_first, which the check refuses (a K6 or 6x86 is not
# documented to ignore that prefix). Of the tunings that write BSF (pentium, pentiumpro, core2,
# intel), none starts the front-end measurably faster or slower under Wine than generic did
# (scripts/bench.sh --start-up-only, each against the others in turn); pentium is the floor's.
add_compile_options(-march=i586 -mtune=pentium)

# The runtime's folder, in a cache outside the build folders (ZORV_I586_RUNTIME picks another).
if(NOT ZORV_I586_RUNTIME)
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/i586-runtime.sh --print-dir
    OUTPUT_VARIABLE ZORV_I586_RUNTIME ERROR_VARIABLE zorv_runtime_error
    RESULT_VARIABLE zorv_runtime_missing OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(zorv_runtime_missing)
    message(FATAL_ERROR "${zorv_runtime_error}")
  endif()
endif()
if(NOT EXISTS "${ZORV_I586_RUNTIME}/lib/crt2.o")
  message(FATAL_ERROR "ZORV_I586_RUNTIME (${ZORV_I586_RUNTIME}) holds no runtime")
endif()

# Links a shipped program with the i586 runtime (-B puts its start-up objects and libraries
# first) and writes its linker map beside it, which tells the check its code from its data.
function(zorv_ship_for_i586 target)
  target_link_options(${target} PRIVATE -B${ZORV_I586_RUNTIME}/lib/
    "LINKER:-Map=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.map")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ZORV_I586_RUNTIME}/inputs.txt)
endfunction()
